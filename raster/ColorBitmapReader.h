// Reads a BMP file for the colour macro: the 40-byte information header only, its palette and
// its pixel block, each step failing with its own message. Also turns the pixels of a 16- or
// 256-colour image into RGB rows.
#pragma once

#include "BmpHeaders.h"
#include "ByteSource.h"
#include "MessageId.h"

#include <array>
#include <vector>

namespace pelmora {

struct ColorBitmap {
    BmpInfoHeader info;
    // The number of palette entries the pixel depth gives (2, 16, 256, or 0 above 8 bits).
    unsigned paletteEntries = 0;
    // Blue, green, red, reserved per entry; entries the file does not have stay black.
    std::array<unsigned char, 256 * kBmpPaletteEntrySize> palette{};
    std::uint64_t rowBytes = 0;
    std::vector<unsigned char> pixels; // the rows as stored
};

struct ColorBitmapResult {
    MessageId error = kNoMessage; // kNoMessage when the bitmap was read
    ColorBitmap bitmap;
};

// Reads the headers, palette and pixels of an opened file. Never throws.
ColorBitmapResult readBitmapFile(const ByteSource& file);

// Three bytes red, green, blue per pixel, width pixels per row, rows from the top of the image.
// For 4 and 8 bits per pixel only. May throw std::bad_alloc.
std::vector<unsigned char> toRgbRows(const ColorBitmap& bitmap);

} // namespace pelmora
