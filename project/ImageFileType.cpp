#include "ImageFileType.h"

#include "ByteOrder.h"

#include <algorithm>
#include <array>

namespace qrl::imagefile {

namespace {

using qrl::bytes::getU16LE;
using qrl::bytes::getU32LE;

constexpr std::size_t kFileHeaderLength = 14;

bool isBitCount(std::uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The checks a bitmap loader makes before it reads pixels: a known information header, one plane,
// a known bit depth and compression, and pixel data that starts behind the headers and inside the
// file; an uncompressed bitmap must hold all of its rows.
bool isLoadableBmp(const unsigned char* h, std::uint64_t fileSize)
{
    if (h[0] != 'B' || h[1] != 'M')
        return false;
    const std::uint32_t infoSize = getU32LE(h + 14);
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = getU16LE(h + 18);
        height = getU16LE(h + 20);
        planes = getU16LE(h + 22);
        bits = getU16LE(h + 24);
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 || infoSize == 108 ||
               infoSize == 124) {
        const auto w = static_cast<std::int32_t>(getU32LE(h + 18));
        const auto ht = static_cast<std::int32_t>(getU32LE(h + 22));
        if (w <= 0 || ht == 0 || ht == INT32_MIN)
            return false;
        width = static_cast<std::uint64_t>(w);
        height = static_cast<std::uint64_t>(ht < 0 ? -ht : ht);
        planes = getU16LE(h + 26);
        bits = getU16LE(h + 28);
        compression = getU32LE(h + 30);
    } else {
        return false;
    }
    if (width == 0 || height == 0 || planes != 1 || !isBitCount(bits))
        return false;
    const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    const bool plain = compression == 0 || (compression == 3 && (bits == 16 || bits == 32));
    if (!rle && !plain)
        return false;
    const std::uint64_t offBits = getU32LE(h + 10);
    if (offBits < kFileHeaderLength + infoSize || offBits >= fileSize)
        return false;
    if (rle)
        return true;
    const std::uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    return rowBytes <= fileSize && height <= (fileSize - offBits) / rowBytes;
}

} // namespace

int imageFileType(std::span<const unsigned char> head, std::uint64_t fileSize)
{
    std::array<unsigned char, kHeadLength> h{};
    std::copy_n(head.begin(), std::min(head.size(), h.size()), h.begin());
    if (isLoadableBmp(h.data(), fileSize))
        return kBmp;
    if (h[0] == 0xFF && h[2] == 0xFF && h[6] == 'J' && h[7] == 'F' && h[8] == 'I' && h[9] == 'F' &&
        h[10] == 0)
        return kJpeg;
    if (h[0] == 0x49 && h[1] == 0x49 && h[2] == 0x2A && h[3] == 0x00)
        return kTiff;
    return kNotImage;
}

} // namespace qrl::imagefile
