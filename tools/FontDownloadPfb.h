#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

class QIODevice;

// The PostScript Type 1 font binary (PFB) as the font downloader reads it: a run of segments,
// each a 6-byte header (0x80, the type: 1 text, 2 binary, 3 end; the length, 32-bit little-endian)
// and its data. Reading is bounded by the device's size: no declared length is trusted.
namespace qrl::fontdownload {

inline constexpr unsigned char kSegmentMarker = 0x80;
inline constexpr unsigned char kTextSegment = 1;
inline constexpr unsigned char kBinarySegment = 2;
// The longest font name the downloader takes (the printer's file name is made from it).
inline constexpr int kMaxFontNameLength = 35;

// True when the first six bytes are there and open a text segment.
bool isPfbStart(QByteArrayView firstBytes);

// The name after the first "FontName /" of the file: the bytes above 0x20 that follow the slash.
// Nothing when there is no such text, the name is empty or longer than kMaxFontNameLength.
// Reads `in` from its current position in blocks; never reads it whole.
std::optional<QByteArray> scanFontName(QIODevice& in);

enum class PfaResult {
    Complete,     // every segment up to the end (an end segment, or the end of the file)
    StrayHeader,  // a header without the 0x80 marker: what came before it was converted
    Truncated,    // a segment declares more bytes than the file holds
    MarkerInText, // the text holds the job's end-of-data marker, which would end the font early
    EndOfJob,     // a text segment holds the end-of-job byte 0x04, which would end the job early
    ReadFailed,
    WriteFailed,
};

// Converts the PFB read from `in` (from its current position to its size) into its hexadecimal
// text form on `out`: text segments as they stand with CR made LF, binary segments as lower-case
// hex, 32 bytes to a line. `marker` is the end-of-data marker of the job the text goes into.
// Complete and StrayHeader leave a usable text on `out`; every other result leaves a partial one.
PfaResult convertPfbToPfa(QIODevice& in, QIODevice& out, QByteArrayView marker);

} // namespace qrl::fontdownload
