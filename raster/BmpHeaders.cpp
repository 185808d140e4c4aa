#include "BmpHeaders.h"

#include "ByteOrder.h"

namespace pelmora {

using qrl::bytes::getU16LE;
using qrl::bytes::getU32LE;

namespace {

constexpr std::uint16_t kBmpSignature = 0x4D42; // "BM"

} // namespace

BmpFileHeader decodeFileHeader(const unsigned char* bytes)
{
    BmpFileHeader header;
    header.type = getU16LE(bytes);
    header.reserved1 = getU16LE(bytes + 6);
    header.reserved2 = getU16LE(bytes + 8);
    header.pixelOffset = getU32LE(bytes + 10);
    return header;
}

BmpInfoHeader decodeInfoHeader(const unsigned char* bytes)
{
    BmpInfoHeader info;
    info.headerSize = getU32LE(bytes);
    info.width = static_cast<std::int32_t>(getU32LE(bytes + 4));
    info.height = static_cast<std::int32_t>(getU32LE(bytes + 8));
    info.planes = getU16LE(bytes + 12);
    info.bitCount = getU16LE(bytes + 14);
    info.compression = getU32LE(bytes + 16);
    info.colorsUsed = getU32LE(bytes + 32);
    return info;
}

bool hasBmpSignature(const BmpFileHeader& header)
{
    return header.type == kBmpSignature && header.reserved1 == 0 && header.reserved2 == 0;
}

std::uint64_t bmpRowBytes(const BmpInfoHeader& info)
{
    const std::uint64_t width = info.width > 0 ? static_cast<std::uint64_t>(info.width) : 0;
    const std::uint64_t bits = std::uint64_t{info.bitCount} * width * info.planes;
    return ((bits + 31) >> 3) & ~std::uint64_t{3};
}

std::uint64_t bmpRowCount(const BmpInfoHeader& info)
{
    const std::int64_t height = info.height;
    return static_cast<std::uint64_t>(height < 0 ? -height : height);
}

std::uint64_t bmpStoredRow(const BmpInfoHeader& info, std::uint64_t row)
{
    return info.height < 0 ? row : bmpRowCount(info) - 1 - row;
}

} // namespace pelmora
