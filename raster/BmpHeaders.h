// The two headers at the start of every BMP file, decoded field by field (little-endian), and the
// row arithmetic both BMP readers share.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pelmora {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
inline constexpr std::uint32_t kBmpV4HeaderSize = 108;
inline constexpr std::uint32_t kBmpV5HeaderSize = 124;
inline constexpr std::uint32_t kBmpUncompressed = 0;
inline constexpr std::size_t kBmpPaletteEntrySize = 4; // blue, green, red, reserved

struct BmpFileHeader {
    std::uint16_t type = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;
};

// The fields of the 40-byte information header; the larger headers begin with the same fields.
struct BmpInfoHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

BmpFileHeader decodeFileHeader(const unsigned char* bytes); // kBmpFileHeaderSize bytes
BmpInfoHeader decodeInfoHeader(const unsigned char* bytes); // kBmpInfoHeaderSize bytes
bool hasBmpSignature(const BmpFileHeader& header);          // "BM" and both reserved words 0

// Stored bytes per row: the row's bits rounded up to whole 32-bit words.
std::uint64_t bmpRowBytes(const BmpInfoHeader& info);
// The number of rows, whichever way they are stored.
std::uint64_t bmpRowCount(const BmpInfoHeader& info);
// The stored row that shows as row `row` counted from the top of the image.
std::uint64_t bmpStoredRow(const BmpInfoHeader& info, std::uint64_t row);

} // namespace pelmora
