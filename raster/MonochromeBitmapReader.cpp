#include "MonochromeBitmapReader.h"

#include "BmpHeaders.h"
#include "ByteOrder.h"

#include <array>

namespace pelmora {

namespace {

constexpr std::size_t kMaxPaletteEntries = 256;

// Dark or light by luminance (ITU-R BT.601 weights): light at or above the middle grey.
bool isLight(unsigned red, unsigned green, unsigned blue)
{
    return 299 * red + 587 * green + 114 * blue >= 128 * 1000;
}

// A 5-bit channel of a 16-bit pixel on the 8-bit scale, its top bits repeated below so that 31 is 255.
unsigned widen5(unsigned value)
{
    return (value << 3) | (value >> 2);
}

bool isReadableFormat(const BmpInfoHeader& info)
{
    const bool knownHeader = info.headerSize == kBmpInfoHeaderSize || info.headerSize == kBmpV4HeaderSize ||
                             info.headerSize == kBmpV5HeaderSize;
    const bool knownDepth = info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
                            info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32;
    return knownHeader && knownDepth && info.width > 0 && info.height != 0 && info.planes == 1 &&
           info.compression == kBmpUncompressed;
}

// Whether the pixel at x of a stored row is light; palette entries the file does not have are dark.
class PixelTone {
public:
    PixelTone(unsigned bitCount, const std::array<bool, kMaxPaletteEntries>& lightEntry)
        : m_bitCount(bitCount), m_lightEntry(lightEntry)
    {
    }

    bool isLightAt(const unsigned char* row, std::uint32_t x) const
    {
        switch (m_bitCount) {
        case 1:
            return m_lightEntry[(row[x >> 3] >> (7 - (x & 7))) & 1];
        case 4:
            return m_lightEntry[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        case 8:
            return m_lightEntry[row[x]];
        case 16: {
            // Uncompressed 16-bit pixels are 5-5-5, red in the high bits; the top bit is unused.
            const unsigned pixel = qrl::bytes::getU16LE(row + std::size_t{2} * x);
            return isLight(widen5((pixel >> 10) & 0x1F), widen5((pixel >> 5) & 0x1F), widen5(pixel & 0x1F));
        }
        case 32: {
            const unsigned char* bgrx = row + std::size_t{4} * x;
            return isLight(bgrx[2], bgrx[1], bgrx[0]);
        }
        default: {
            const unsigned char* bgr = row + std::size_t{3} * x;
            return isLight(bgr[2], bgr[1], bgr[0]);
        }
        }
    }

private:
    unsigned m_bitCount;
    const std::array<bool, kMaxPaletteEntries>& m_lightEntry;
};

} // namespace

std::optional<MonochromeBitmap> loadMonochromeBitmap(const ByteSource& file)
{
    unsigned char fileHeaderBytes[kBmpFileHeaderSize];
    unsigned char infoBytes[kBmpInfoHeaderSize];
    if (!file.readAt(0, sizeof fileHeaderBytes, fileHeaderBytes) ||
        !file.readAt(kBmpFileHeaderSize, sizeof infoBytes, infoBytes))
        return std::nullopt;
    const BmpFileHeader fileHeader = decodeFileHeader(fileHeaderBytes);
    const BmpInfoHeader info = decodeInfoHeader(infoBytes);
    if (!hasBmpSignature(fileHeader) || !isReadableFormat(info) ||
        !file.holds(kBmpFileHeaderSize, info.headerSize))
        return std::nullopt;

    // Indexed images carry their palette after the header; a direct-colour file may carry an unused one,
    // which only moves the pixels when the file header gives no pixel offset.
    const bool indexed = info.bitCount <= 8;
    const std::uint64_t maxEntries = indexed ? std::uint64_t{1} << info.bitCount : 0;
    const std::uint64_t entries = info.colorsUsed != 0 ? info.colorsUsed : maxEntries;
    if (indexed && entries > maxEntries)
        return std::nullopt;
    const std::uint64_t paletteOffset = kBmpFileHeaderSize + std::uint64_t{info.headerSize};
    const std::uint64_t paletteBytes = entries * kBmpPaletteEntrySize;
    if (indexed && !file.holds(paletteOffset, paletteBytes))
        return std::nullopt;

    std::array<bool, kMaxPaletteEntries> lightEntry{};
    if (indexed) {
        unsigned char palette[kMaxPaletteEntries * kBmpPaletteEntrySize];
        if (!file.readAt(paletteOffset, static_cast<std::size_t>(paletteBytes), palette))
            return std::nullopt;
        for (std::size_t i = 0; i < entries; ++i) {
            const unsigned char* bgr = palette + i * kBmpPaletteEntrySize;
            lightEntry[i] = isLight(bgr[2], bgr[1], bgr[0]);
        }
    }

    const std::uint64_t pixelOffset =
        fileHeader.pixelOffset != 0 ? fileHeader.pixelOffset : paletteOffset + paletteBytes;
    const std::uint64_t storedRowBytes = bmpRowBytes(info);
    const std::uint64_t rows = bmpRowCount(info);
    if (rows > file.size() / storedRowBytes || !file.holds(pixelOffset, storedRowBytes * rows))
        return std::nullopt;
    std::vector<unsigned char> stored(static_cast<std::size_t>(storedRowBytes * rows));
    if (!file.readAt(pixelOffset, stored.size(), stored.data()))
        return std::nullopt;

    MonochromeBitmap bitmap;
    bitmap.width = static_cast<std::uint32_t>(info.width);
    bitmap.height = static_cast<std::uint32_t>(rows);
    bitmap.rowBytes = (std::size_t{bitmap.width} + 15) / 16 * 2;
    bitmap.bits.assign(bitmap.rowBytes * bitmap.height, 0);
    const PixelTone tone(info.bitCount, lightEntry);
    for (std::uint32_t y = 0; y < bitmap.height; ++y) {
        const unsigned char* source = stored.data() + bmpStoredRow(info, y) * storedRowBytes;
        unsigned char* target = bitmap.bits.data() + std::size_t{y} * bitmap.rowBytes;
        for (std::uint32_t x = 0; x < bitmap.width; ++x) {
            if (tone.isLightAt(source, x))
                target[x >> 3] |= static_cast<unsigned char>(0x80u >> (x & 7));
        }
    }
    return bitmap;
}

} // namespace pelmora
