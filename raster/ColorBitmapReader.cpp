#include "ColorBitmapReader.h"

#include "RasterTextIds.h"

#include <new>

namespace pelmora {

namespace {

unsigned paletteEntriesForDepth(unsigned bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// Geometry the row arithmetic cannot stand (no rows, or rows of no bytes), and packed pixels
// that would be read as raw ones.
bool hasUsableGeometry(const BmpInfoHeader& info)
{
    return info.width > 0 && info.height != 0 && info.planes == 1 && info.bitCount != 0 &&
           info.compression == kBmpUncompressed;
}

ColorBitmapResult failure(MessageId error)
{
    ColorBitmapResult result;
    result.error = error;
    return result;
}

} // namespace

ColorBitmapResult readBitmapFile(const ByteSource& file)
{
    unsigned char fileHeaderBytes[kBmpFileHeaderSize];
    if (!file.readAt(0, sizeof fileHeaderBytes, fileHeaderBytes))
        return failure(qrl::ids::kBmpHeaderUnreadable);
    const BmpFileHeader fileHeader = decodeFileHeader(fileHeaderBytes);
    if (!hasBmpSignature(fileHeader))
        return failure(qrl::ids::kNotBmp);
    unsigned char infoBytes[kBmpInfoHeaderSize];
    if (!file.readAt(kBmpFileHeaderSize, sizeof infoBytes, infoBytes))
        return failure(qrl::ids::kBmpHeaderUnreadable);

    ColorBitmapResult result;
    ColorBitmap& bitmap = result.bitmap;
    bitmap.info = decodeInfoHeader(infoBytes);
    if (bitmap.info.headerSize != kBmpInfoHeaderSize || !hasUsableGeometry(bitmap.info))
        return failure(qrl::ids::kNotBmp);

    // A file may store fewer palette entries than its depth allows (the colours-used count);
    // reading the full table then would take pixel bytes for colours.
    bitmap.paletteEntries = paletteEntriesForDepth(bitmap.info.bitCount);
    const std::uint32_t used = bitmap.info.colorsUsed;
    const std::size_t stored = used != 0 && used < bitmap.paletteEntries ? used : bitmap.paletteEntries;
    const std::uint64_t paletteOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    if (!file.readAt(paletteOffset, stored * kBmpPaletteEntrySize, bitmap.palette.data()))
        return failure(qrl::ids::kBmpPaletteUnreadable);

    const std::uint64_t pixelOffset =
        fileHeader.pixelOffset != 0 ? fileHeader.pixelOffset : paletteOffset + stored * kBmpPaletteEntrySize;
    if (pixelOffset > file.size())
        return failure(qrl::ids::kBmpOffsetUnreadable);
    bitmap.rowBytes = bmpRowBytes(bitmap.info);
    const std::uint64_t rows = bmpRowCount(bitmap.info);
    if (rows > file.size() / bitmap.rowBytes || !file.holds(pixelOffset, bitmap.rowBytes * rows))
        return failure(qrl::ids::kBmpPixelsUnreadable);
    try {
        bitmap.pixels.resize(static_cast<std::size_t>(bitmap.rowBytes * rows));
    } catch (const std::bad_alloc&) {
        return failure(qrl::ids::kNoMemoryForFile);
    }
    if (!file.readAt(pixelOffset, bitmap.pixels.size(), bitmap.pixels.data()))
        return failure(qrl::ids::kBmpPixelsUnreadable);
    return result;
}

std::vector<unsigned char> toRgbRows(const ColorBitmap& bitmap)
{
    const BmpInfoHeader& info = bitmap.info;
    const auto width = static_cast<std::size_t>(info.width);
    const auto rows = static_cast<std::size_t>(bmpRowCount(info));
    std::vector<unsigned char> rgb(width * rows * 3);
    unsigned char* out = rgb.data();
    for (std::size_t y = 0; y < rows; ++y) {
        const unsigned char* row = bitmap.pixels.data() + bmpStoredRow(info, y) * bitmap.rowBytes;
        for (std::size_t x = 0; x < width; ++x) {
            const unsigned index = info.bitCount == 4 ? (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F : row[x];
            const unsigned char* bgr = bitmap.palette.data() + index * kBmpPaletteEntrySize;
            *out++ = bgr[2];
            *out++ = bgr[1];
            *out++ = bgr[0];
        }
    }
    return rgb;
}

} // namespace pelmora
