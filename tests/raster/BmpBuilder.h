// BMP files built in code for the generator's tests and the fuzz corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct BmpImage {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: written top-down
    std::uint16_t bitCount = 1;
    // 0xRRGGBB per entry, written in full whatever colorsUsed says.
    std::vector<std::uint32_t> palette;
    // width x |height| values, the top row first: a palette index, or 0xRRGGBB at 16, 24 and 32
    // bits (16 bits keep each channel's top five bits).
    std::vector<std::uint32_t> pixels;
    std::uint32_t headerSize = 40;
    std::uint32_t colorsUsed = 0;
    std::uint32_t compression = 0;
    bool writePixelOffset = true; // false: the file header's pixel offset is 0
};

// The bytes of a BMP file holding the image, rows padded to 32 bits.
std::string encodeBmp(const BmpImage& image);

// A palette of `entries` grey levels 0x000000, ..., 0xFFFFFF evenly spaced.
std::vector<std::uint32_t> greyPalette(unsigned entries);

} // namespace qrl::test
