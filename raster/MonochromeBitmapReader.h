// Loads a BMP file as a one-bit-per-pixel image, the way a desktop bitmap loader hands it to a
// monochrome device: rows from top to bottom, each padded to whole 16-bit words, a set bit for a
// white pixel. Reads 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel, uncompressed, bottom-up or top-down, with
// the 40-byte information header or the larger version 4 and 5 headers.
#pragma once

#include "ByteSource.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pelmora {

struct MonochromeBitmap {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::size_t rowBytes = 0; // a multiple of 2
    std::vector<unsigned char> bits;
};

// The image, or nothing when the file is not such a BMP or does not hold what its headers
// describe. May throw std::bad_alloc.
std::optional<MonochromeBitmap> loadMonochromeBitmap(const ByteSource& file);

} // namespace pelmora
