#include "BitmapImages.h"

#include "BmpBuilder.h"
#include "ByteOrder.h"

namespace qrl::test {

namespace {

// Sets the pixels per metre of an encoded BMP (information header offsets 24 and 28).
std::string withResolution(std::string bytes, unsigned pixelsPerMetre)
{
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    qrl::bytes::putU32LE(p + 14 + 24, pixelsPerMetre);
    qrl::bytes::putU32LE(p + 14 + 28, pixelsPerMetre);
    return bytes;
}

} // namespace

std::string monochromeBmp()
{
    BmpImage image;
    image.width = 16;
    image.height = 2;
    image.bitCount = 1;
    image.palette = {0x000000, 0xFFFFFF};
    image.pixels.assign(32, 1);
    image.pixels[0] = 0;
    return withResolution(encodeBmp(image), 2835);
}

std::string paletteBmp(unsigned colours, unsigned pixelsPerMetre)
{
    BmpImage image;
    image.width = 8;
    image.height = 2;
    image.bitCount = static_cast<std::uint16_t>(colours == 2 ? 1 : colours == 16 ? 4 : 8);
    image.palette = greyPalette(colours);
    for (unsigned i = 0; i < 16; ++i)
        image.pixels.push_back(i % colours);
    return withResolution(encodeBmp(image), pixelsPerMetre);
}

std::string jfifJpeg(unsigned dpi)
{
    std::string bytes("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x02", 13);
    bytes += static_cast<char>(dpi ? 1 : 0);
    bytes += static_cast<char>(dpi >> 8);
    bytes += static_cast<char>(dpi & 0xFF);
    bytes += static_cast<char>(dpi >> 8);
    bytes += static_cast<char>(dpi & 0xFF);
    bytes += std::string("\x00\x00\xFF\xDB body of the picture \xFF\xD9", 27);
    return bytes;
}

std::string littleEndianTiff()
{
    return std::string("II\x2A\x00\x08\x00\x00\x00 strips and tags", 24);
}

} // namespace qrl::test
