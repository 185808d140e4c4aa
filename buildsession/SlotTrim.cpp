// The trim of a Tarnwick printer's macro slot image: that printer stores the macro file itself,
// without the slot header, the directory and the macro header.
#include "SlotDelivery.h"

#include "FileSave.h"
#include "Spooler.h"

#include <QFile>

#include <algorithm>

namespace qrl::build {

namespace {

using qrl::WholeFileWriter;

// The slot header (196 bytes), one directory entry (8) and the macro header (32).
constexpr qint64 kMacroDataOffset = 236;
// Zero bytes among the last four are dropped: they are mostly the macro header's padding, but a
// zero byte of the macro itself among them goes too, as the files of this road have always had it.
constexpr qint64 kPaddingWindow = 4;
constexpr auto kCopyBlock = static_cast<qint64>(qrl::kSendBlockSize);

bool copyBlock(QFile& from, WholeFileWriter& to, qint64 length)
{
    QByteArray block(static_cast<qsizetype>(std::min(kCopyBlock, std::max<qint64>(length, 1))), '\0');
    for (qint64 done = 0; done < length;) {
        const qint64 n = from.read(block.data(), std::min<qint64>(block.size(), length - done));
        if (n <= 0 || !to.write(block.constData(), static_cast<std::size_t>(n)))
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool SlotDelivery::TrimSlotFile(int index)
{
    const QString imageName = slotImageName(index);
    QFile image(imageName);
    if (!image.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    const qint64 size = image.size();
    if (size < kMacroDataOffset || !image.seek(kMacroDataOffset))
        return false;
    // The image is replaced only by a complete trimmed copy; it is read while the copy is written.
    // It is the run's own file, so it is not synced.
    WholeFileWriter trimmed;
    if (!trimmed.open(qrl::nativePath(imageName), qrl::FileUse::Scratch))
        return false;

    const qint64 length = size - kMacroDataOffset;
    const qint64 kept = std::max<qint64>(length - kPaddingWindow, 0);
    bool ok = copyBlock(image, trimmed, kept);
    char tail[kPaddingWindow];
    const qint64 tailLength = length - kept;
    ok = ok && image.read(tail, tailLength) == tailLength;
    const auto tailEnd = std::remove(tail, tail + (ok ? tailLength : 0), '\0');
    ok = ok && trimmed.write(tail, static_cast<std::size_t>(tailEnd - tail));
    image.close();
    return ok && trimmed.commit();
}

} // namespace qrl::build
