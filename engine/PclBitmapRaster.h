// The raster of a PCL bitmap character turned into the glyph resource's raster words.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vintrel {

// The most raster words one glyph may have.
inline constexpr std::uint64_t kMaxGlyphWords = 65536;

enum class RasterResult {
    Converted,
    SizeMismatch, // the raster does not make width x height dots: the character is passed over
    TooLarge,     // more than kMaxGlyphWords words
};

// Number of 16-bit words per row of a glyph `width` dots wide.
inline std::uint64_t wordsPerRow(std::uint64_t width)
{
    return (width + 15) / 16;
}

// Appends the glyph's rows to `words` as big-endian 16-bit words, each row padded to a whole word,
// the leftmost dot in the highest bit. Raster class 1 is uncompressed (exactly height rows of
// ceil(width / 8) bytes); class 2 is compressed: per row a repeat count and run lengths,
// alternately white and black, starting with white. Nothing is appended unless Converted.
RasterResult appendRasterWords(unsigned rasterClass, std::uint32_t width, std::uint32_t height,
                               std::span<const unsigned char> raster, std::vector<unsigned char>& words);

} // namespace vintrel
