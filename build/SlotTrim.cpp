// The trim of a Tarnwick printer's macro slot image: that printer stores the macro file itself,
// without the slot header, the directory and the macro header.
#include "SlotDelivery.h"

#include "TextFormat.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace qrl::build {

namespace {

// The slot header (196 bytes), one directory entry (8) and the macro header (32).
constexpr qint64 kMacroDataOffset = 236;
// Zero bytes among the last four are dropped: they are mostly the macro header's padding, but a
// zero byte of the macro itself among them goes too, as the files of this road have always had it.
constexpr qint64 kPaddingWindow = 4;
constexpr qint64 kCopyBlock = 64 * 1024;

bool copyBlock(QFile& from, QFile& to, qint64 length)
{
    QByteArray block(static_cast<qsizetype>(std::min(kCopyBlock, std::max<qint64>(length, 1))), '\0');
    for (qint64 done = 0; done < length;) {
        const qint64 n = from.read(block.data(), std::min<qint64>(block.size(), length - done));
        if (n <= 0 || to.write(block.constData(), n) != n)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool SlotDelivery::TrimSlotFile(int index)
{
    const QString imageName = slotImageName(index);
    const QString scratchName = qrl::formatText(QStringLiteral("TMP%05d.prn"), {index});
    QFile image(imageName);
    if (!image.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = image.size();
    if (size < kMacroDataOffset || !image.seek(kMacroDataOffset))
        return false;
    QFile scratch(scratchName);
    if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    const qint64 length = size - kMacroDataOffset;
    const qint64 kept = std::max<qint64>(length - kPaddingWindow, 0);
    bool ok = copyBlock(image, scratch, kept);
    qint64 written = kept;
    char tail[kPaddingWindow];
    const qint64 tailLength = length - kept;
    ok = ok && image.read(tail, tailLength) == tailLength;
    for (qint64 i = 0; ok && i < tailLength; ++i) {
        if (tail[i] == 0)
            continue;
        ok = scratch.write(&tail[i], 1) == 1;
        ++written;
    }
    ok = ok && scratch.flush() && scratch.size() == written;
    scratch.close();
    image.close();
    // The image is replaced only by a complete trimmed copy.
    if (ok)
        ok = std::rename(QFile::encodeName(scratchName).constData(), QFile::encodeName(imageName).constData()) == 0;
    if (!ok)
        QFile::remove(scratchName);
    return ok;
}

} // namespace qrl::build
