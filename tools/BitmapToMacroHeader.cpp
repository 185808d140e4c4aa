#include "BitmapToMacroHeader.h"

#include "ByteOrder.h"
#include "RasterTextIds.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr qint64 kBmpFileHeader = 14;
constexpr qint64 kBmpInfoHeader = 40;
constexpr qint64 kJpegHead = 32;
// Below this many pixels per metre a BMP's resolution is shown as stored.
constexpr std::uint32_t kLeastPixelsPerMetre = 40;

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

QString decimal(std::int64_t value)
{
    return qrl::formatText(QStringLiteral("%d"), {static_cast<long long>(value)});
}

int readBmp(QFile& file, BitmapToMacroForm& form)
{
    const QByteArray fileHeader = file.read(kBmpFileHeader);
    if (fileHeader.size() != kBmpFileHeader)
        return qrl::ids::kBmpHeaderUnreadable;
    const unsigned char* head = bytesOf(fileHeader);
    if (qrl::bytes::getU16LE(head) != 0x4D42 || qrl::bytes::getU16LE(head + 6) != 0 ||
        qrl::bytes::getU16LE(head + 8) != 0)
        return qrl::ids::kNotBmp;
    const QByteArray infoHeader = file.read(kBmpInfoHeader);
    if (infoHeader.size() != kBmpInfoHeader)
        return qrl::ids::kBmpHeaderUnreadable;
    const unsigned char* info = bytesOf(infoHeader);
    if (qrl::bytes::getU32LE(info) != kBmpInfoHeader)
        return qrl::ids::kNotBmp;
    form.pixelWidth = static_cast<std::int32_t>(qrl::bytes::getU32LE(info + 4));
    form.pixelHeight = static_cast<std::int32_t>(qrl::bytes::getU32LE(info + 8));
    std::uint64_t x = qrl::bytes::getU32LE(info + 24);
    std::uint64_t y = qrl::bytes::getU32LE(info + 28);
    if (x >= kLeastPixelsPerMetre) {
        x = x * 2541 / 100000;
        y = y * 2541 / 100000;
    }
    form.resolutionXText = decimal(static_cast<std::int64_t>(x));
    form.resolutionYText = decimal(static_cast<std::int64_t>(y));
    return 0;
}

int readJpeg(QFile& file, BitmapToMacroForm& form)
{
    const QByteArray headBytes = file.read(kJpegHead);
    if (headBytes.size() != kJpegHead)
        return qrl::ids::kBmpHeaderUnreadable;
    const unsigned char* head = bytesOf(headBytes);
    // JFIF density unit 1: dots per inch. Other units leave the fields as they are.
    if (head[13] == 1) {
        form.resolutionXText = decimal(qrl::bytes::getU16BE(head + 14));
        form.resolutionYText = decimal(qrl::bytes::getU16BE(head + 16));
        form.pixelWidth = 0;
        form.pixelHeight = 0;
    }
    return 0;
}

} // namespace

int qrl::bitmapmacro::readImageHeader(BitmapToMacroForm& form)
{
    if (form.imageType != BitmapToMacroForm::kBmp && form.imageType != BitmapToMacroForm::kJpeg)
        return 0;
    QFile file(form.sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return qrl::ids::kFileCannotBeOpened;
    return form.imageType == BitmapToMacroForm::kBmp ? readBmp(file, form) : readJpeg(file, form);
}
