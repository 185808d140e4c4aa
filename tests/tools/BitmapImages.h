// Small image files built in code for the bitmap-to-macro tests.
#pragma once

#include <string>

namespace qrl::test {

// A 16 x 2 monochrome BMP, white with a black first pixel.
std::string monochromeBmp();
// An 8 x 2 BMP of `colours` palette entries (2, 16 or 256) at 1, 4 or 8 bits per pixel, with the
// given pixels per metre.
std::string paletteBmp(unsigned colours, unsigned pixelsPerMetre = 2835);
// A JFIF JPEG head (density in dots per inch when `dpi` is not 0) and a few bytes of body.
std::string jfifJpeg(unsigned dpi);
// A little-endian TIFF head and a few bytes.
std::string littleEndianTiff();

} // namespace qrl::test
