#include "FontHeaderResolution.h"

#include "BuildMessages.h"
#include "BuildSessionTextIds.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QByteArray>
#include <QFile>

#include <new>

namespace qrl::build {

namespace {

constexpr qint64 kMinimumFontFile = 20;
constexpr int kResolutionComma = 9;
constexpr int kMaxDigits = 9;
constexpr int kHighResolution = 600;
constexpr qint64 kResolutionOffset = 80;
constexpr const char kResolution600[] = {0x02, 0x58, 0x02, 0x58};
constexpr const char* kNoMemory = "Could not reserve %d bytes of memory for :\n%s";

// The decimal number at `from`, read as far as its digits go (at most nine); 0 without digits.
int numberAt(const QByteArray& bytes, qsizetype from, qsizetype end)
{
    while (from < end && bytes[from] == ' ')
        ++from;
    int value = 0;
    for (int digits = 0; from < end && digits < kMaxDigits && bytes[from] >= '0' && bytes[from] <= '9';
         ++from, ++digits)
        value = value * 10 + (bytes[from] - '0');
    return value;
}

} // namespace

bool GetLDFCResolution(const QString& path, int& resolution)
{
    resolution = -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = file.size();
    if (size <= kMinimumFontFile) {
        ShowFileError(ids::kFileErrorFormat, ids::kFileLengthError, ids::kHintNotInserted, path);
        return false;
    }
    QByteArray bytes;
    try {
        bytes.resize(static_cast<qsizetype>(size));
    } catch (const std::bad_alloc&) {
        qrl::ui().message(qrl::formatText(QString::fromLatin1(kNoMemory), {size, path}), qrl::Buttons::Ok,
                          qrl::Icon::Warning);
        return false;
    }
    if (file.read(bytes.data(), size) != size)
        return true;

    // "!R!" exactly, then "LDFC" in any letter case after it.
    const qsizetype start = bytes.indexOf("!R!");
    qsizetype ldfc = -1;
    if (start >= 0) {
        const qsizetype from = start + 3;
        ldfc = bytes.sliced(from).toUpper().indexOf("LDFC");
        if (ldfc >= 0)
            ldfc += from;
    }
    if (ldfc < 0) {
        ShowFileError(ids::kFileFailureFormat, start < 0 ? ids::kStartSequenceMissing : ids::kLdfcMissing,
                      ids::kHintNotInserted, path);
        return false;
    }
    qsizetype end = bytes.indexOf(';', ldfc);
    if (end < 0)
        end = bytes.size();
    int commas = 0;
    for (qsizetype i = ldfc + 4; i < end; ++i) {
        if (bytes[i] == ',' && ++commas == kResolutionComma) {
            resolution = numberAt(bytes, i + 1, end);
            break;
        }
    }
    return true;
}

void FixFontHeaderResolution(const QString& path, int index)
{
    int resolution = -1;
    if (!GetLDFCResolution(path, resolution) || resolution != kHighResolution)
        return;
    QFile header(qrl::formatText(QStringLiteral("BBM%05d.HDR"), {index}));
    constexpr auto patchSize = static_cast<qint64>(sizeof kResolution600);
    const bool patched = header.open(QIODevice::ReadWrite) &&
                         header.size() >= kResolutionOffset + patchSize && header.seek(kResolutionOffset) &&
                         header.write(kResolution600, patchSize) == patchSize && header.flush();
    if (!patched)
        qrl::ui().message(qrl::text(ids::kResolution600Failed), qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace qrl::build
