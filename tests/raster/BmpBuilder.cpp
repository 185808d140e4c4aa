#include "BmpBuilder.h"

#include "ByteOrder.h"

#include <cstdlib>

namespace qrl::test {

namespace {

void appendU16(std::string& out, std::uint16_t v)
{
    unsigned char b[2];
    qrl::bytes::putU16LE(b, v);
    out.append(reinterpret_cast<const char*>(b), 2);
}

void appendU32(std::string& out, std::uint32_t v)
{
    unsigned char b[4];
    qrl::bytes::putU32LE(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}

std::string encodeRow(const BmpImage& image, const std::uint32_t* pixels)
{
    const auto width = static_cast<std::size_t>(image.width);
    const std::size_t rowBytes = (width * image.bitCount + 31) / 32 * 4;
    std::string row(rowBytes, '\0');
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t v = pixels[x];
        switch (image.bitCount) {
        case 1:
            row[x / 8] = static_cast<char>(row[x / 8] | ((v & 1) << (7 - x % 8)));
            break;
        case 4:
            row[x / 2] = static_cast<char>(row[x / 2] | ((v & 0x0F) << (x % 2 ? 0 : 4)));
            break;
        case 8:
            row[x] = static_cast<char>(v);
            break;
        case 16: {
            // 5-5-5: each channel's top five bits.
            const auto pixel = static_cast<std::uint16_t>(((v >> 19) & 0x1F) << 10 | ((v >> 11) & 0x1F) << 5 |
                                                          ((v >> 3) & 0x1F));
            row[2 * x] = static_cast<char>(pixel);
            row[2 * x + 1] = static_cast<char>(pixel >> 8);
            break;
        }
        case 24:
        case 32: {
            const std::size_t at = x * image.bitCount / 8;
            row[at] = static_cast<char>(v);
            row[at + 1] = static_cast<char>(v >> 8);
            row[at + 2] = static_cast<char>(v >> 16);
            if (image.bitCount == 32)
                row[at + 3] = '\x5A'; // the unused byte holds something, as it may in real files
            break;
        }
        default:
            break;
        }
    }
    return row;
}

} // namespace

std::string encodeBmp(const BmpImage& image)
{
    const std::size_t rows = static_cast<std::size_t>(std::abs(image.height));
    std::string pixels;
    for (std::size_t i = 0; i < rows; ++i) {
        // Bottom-up files store the bottom row first.
        const std::size_t y = image.height < 0 ? i : rows - 1 - i;
        pixels += encodeRow(image, image.pixels.data() + y * static_cast<std::size_t>(image.width));
    }

    const std::uint32_t pixelOffset =
        static_cast<std::uint32_t>(14 + image.headerSize + 4 * image.palette.size());
    std::string out = "BM";
    appendU32(out, static_cast<std::uint32_t>(pixelOffset + pixels.size()));
    appendU32(out, 0);
    appendU32(out, image.writePixelOffset ? pixelOffset : 0);
    appendU32(out, image.headerSize);
    appendU32(out, static_cast<std::uint32_t>(image.width));
    appendU32(out, static_cast<std::uint32_t>(image.height));
    appendU16(out, 1);
    appendU16(out, image.bitCount);
    appendU32(out, image.compression);
    appendU32(out, static_cast<std::uint32_t>(pixels.size()));
    appendU32(out, 2835);
    appendU32(out, 2835);
    appendU32(out, image.colorsUsed);
    appendU32(out, 0);
    out.resize(14 + image.headerSize, '\0'); // the rest of a version 4 or 5 header stays zero
    for (const std::uint32_t rgb : image.palette)
        appendU32(out, rgb & 0xFFFFFF); // blue, green, red, reserved in the file
    return out + pixels;
}

std::vector<std::uint32_t> greyPalette(unsigned entries)
{
    std::vector<std::uint32_t> palette;
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint32_t level = entries > 1 ? i * 255 / (entries - 1) : 0;
        palette.push_back(level << 16 | level << 8 | level);
    }
    return palette;
}

} // namespace qrl::test
