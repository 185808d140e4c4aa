#include "PclBitmapRaster.h"

#include <algorithm>
#include <cstddef>

namespace vintrel {
namespace {

constexpr unsigned kUncompressed = 1;
constexpr unsigned kCompressed = 2;

void appendRow(const std::vector<unsigned char>& row, std::uint64_t times, std::vector<unsigned char>& words)
{
    for (std::uint64_t i = 0; i < times; ++i)
        words.insert(words.end(), row.begin(), row.end());
}

void setDots(std::vector<unsigned char>& row, std::size_t from, std::size_t count)
{
    for (std::size_t x = from; x < from + count; ++x)
        row[x / 8] = static_cast<unsigned char>(row[x / 8] | (0x80u >> (x % 8)));
}

bool appendUncompressed(std::size_t bytesPerRow, std::uint32_t height, std::span<const unsigned char> raster,
                        std::vector<unsigned char>& row, std::vector<unsigned char>& words)
{
    // A raster of any other size was cut or belongs to another character shape: either way its
    // rows cannot be told apart.
    if (raster.size() != std::uint64_t{height} * bytesPerRow)
        return false;
    for (std::uint32_t y = 0; y < height; ++y) {
        std::copy_n(raster.begin() + static_cast<std::ptrdiff_t>(y * bytesPerRow), bytesPerRow, row.begin());
        appendRow(row, 1, words);
    }
    return true;
}

bool appendCompressed(std::uint32_t width, std::size_t bytesPerRow, std::uint32_t height,
                      std::span<const unsigned char> raster, std::vector<unsigned char>& row,
                      std::vector<unsigned char>& words)
{
    std::uint64_t rows = 0;
    std::size_t pos = 0;
    while (pos < raster.size()) {
        const std::uint64_t times = std::uint64_t{raster[pos++]} + 1;
        std::fill(row.begin(), row.end(), 0);
        bool black = false;
        for (std::uint32_t x = 0; x < width; black = !black) {
            if (pos >= raster.size() || raster[pos] > width - x)
                return false;
            const unsigned run = raster[pos++];
            if (black)
                setDots(row, x, run);
            x += run;
        }
        rows += times;
        // A zero-width glyph has no dots whatever its rows; otherwise the rows must come out even.
        if (bytesPerRow > 0 && rows > height)
            return false;
        appendRow(row, times, words);
    }
    return bytesPerRow == 0 || rows == height;
}

} // namespace

RasterResult appendRasterWords(unsigned rasterClass, std::uint32_t width, std::uint32_t height,
                               std::span<const unsigned char> raster, std::vector<unsigned char>& words)
{
    const std::uint64_t perRow = wordsPerRow(width);
    if (perRow * height > kMaxGlyphWords)
        return RasterResult::TooLarge;
    const std::size_t bytesPerRow = (std::size_t{width} + 7) / 8;
    std::vector<unsigned char> row(static_cast<std::size_t>(perRow * 2), 0);
    const std::size_t start = words.size();
    bool converted = false;
    if (rasterClass == kUncompressed)
        converted = appendUncompressed(bytesPerRow, height, raster, row, words);
    else if (rasterClass == kCompressed)
        converted = appendCompressed(width, bytesPerRow, height, raster, row, words);
    if (!converted) {
        words.resize(start);
        return RasterResult::SizeMismatch;
    }
    return RasterResult::Converted;
}

} // namespace vintrel
