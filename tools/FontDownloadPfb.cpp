#include "FontDownloadPfb.h"

#include "ByteOrder.h"

#include <QIODevice>

#include <algorithm>

namespace qrl::fontdownload {

namespace {

constexpr int kHeaderSize = 6;
// Segment data is converted in blocks of this size.
constexpr qint64 kChunk = 64 * 1024;
// The name scan reads the file in windows of this size.
constexpr qint64 kNameWindow = 8096;
// Hex digits per line of a binary segment, as bytes.
constexpr qint64 kBytesPerLine = 32;
constexpr unsigned char kEndOfJob = 0x04;
constexpr QByteArrayView kFontNameKey("FontName /");

// The PFA output, watched for the end-of-data marker across block boundaries.
class PfaSink {
public:
    PfaSink(QIODevice& out, QByteArrayView marker) : m_out(out), m_marker(marker) {}

    bool write(const QByteArray& bytes)
    {
        if (!m_marker.isEmpty()) {
            const QByteArray probe = m_tail + bytes;
            if (probe.contains(m_marker))
                m_markerSeen = true;
            m_tail = probe.right(m_marker.size() - 1);
        }
        return m_out.write(bytes) == bytes.size();
    }
    bool markerSeen() const { return m_markerSeen; }

private:
    QIODevice& m_out;
    QByteArrayView m_marker;
    QByteArray m_tail;
    bool m_markerSeen = false;
};

// The hex lines of one block of a binary segment; `position` counts over the whole segment so
// that the line ends do not depend on the block size.
QByteArray hexLines(const QByteArray& block, qint64& position)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    QByteArray text;
    text.reserve(block.size() * 2 + block.size() / kBytesPerLine + 1);
    for (const char c : block) {
        const auto b = static_cast<unsigned char>(c);
        if (position > 0 && position % kBytesPerLine == 0)
            text.append('\n');
        text.append(kDigits[b >> 4]);
        text.append(kDigits[b & 0x0F]);
        ++position;
    }
    return text;
}

} // namespace

bool isPfbStart(QByteArrayView firstBytes)
{
    return firstBytes.size() >= kHeaderSize && static_cast<unsigned char>(firstBytes[0]) == kSegmentMarker &&
           static_cast<unsigned char>(firstBytes[1]) == kTextSegment;
}

std::optional<QByteArray> scanFontName(QIODevice& in)
{
    QByteArray window;
    for (;;) {
        const QByteArray block = in.read(kNameWindow);
        if (block.isEmpty())
            return std::nullopt;
        window += block;
        const qsizetype at = window.indexOf(kFontNameKey);
        if (at < 0) {
            // Keep the bytes that may begin a key cut by the window's end.
            window = window.right(kFontNameKey.size() - 1);
            continue;
        }
        const qsizetype start = at + kFontNameKey.size();
        // Enough bytes for the longest name and the byte after it, so a longer name is seen.
        const qsizetype wanted = start + kMaxFontNameLength + 1;
        while (window.size() < wanted) {
            const QByteArray more = in.read(wanted - window.size());
            if (more.isEmpty())
                break;
            window += more;
        }
        qsizetype end = start;
        while (end < window.size() && static_cast<unsigned char>(window[end]) > 0x20)
            ++end;
        const qsizetype length = end - start;
        if (length == 0 || length > kMaxFontNameLength)
            return std::nullopt;
        return window.mid(start, length);
    }
}

PfaResult convertPfbToPfa(QIODevice& in, QIODevice& out, QByteArrayView marker)
{
    PfaSink sink(out, marker);
    const qint64 size = in.size();
    for (;;) {
        const QByteArray header = in.read(kHeaderSize);
        if (header.size() < kHeaderSize)
            return PfaResult::Complete;
        if (static_cast<unsigned char>(header[0]) != kSegmentMarker)
            return PfaResult::StrayHeader;
        const auto type = static_cast<unsigned char>(header[1]);
        if (type != kTextSegment && type != kBinarySegment)
            return PfaResult::Complete;
        const std::uint32_t length =
            qrl::bytes::getU32LE(reinterpret_cast<const unsigned char*>(header.constData()) + 2);
        const qint64 left = size - in.pos();
        if (left < 0 || static_cast<qint64>(length) > left)
            return PfaResult::Truncated;

        qint64 position = 0;
        for (qint64 remaining = length; remaining > 0;) {
            const qint64 n = std::min(kChunk, remaining);
            QByteArray block = in.read(n);
            if (block.size() != n)
                return PfaResult::ReadFailed;
            remaining -= n;
            if (type == kTextSegment) {
                if (block.contains(static_cast<char>(kEndOfJob)))
                    return PfaResult::EndOfJob;
                block.replace('\r', '\n');
                if (!sink.write(block))
                    return PfaResult::WriteFailed;
                if (sink.markerSeen())
                    return PfaResult::MarkerInText;
            } else if (!sink.write(hexLines(block, position))) {
                return PfaResult::WriteFailed;
            }
        }
        if (type == kBinarySegment && length % kBytesPerLine != 0 && !sink.write(QByteArray(1, '\n')))
            return PfaResult::WriteFailed;
    }
}

} // namespace qrl::fontdownload
