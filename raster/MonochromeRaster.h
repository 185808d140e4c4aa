// The printable raster encoding of one monochrome row: the row's byte count, then every 16-bit
// group of the row as three characters (6, 6 and 4 bits), or "0" for a group with no black dot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelmora {

// Appends the encoded row to `out`. `row` holds rowBytes bytes (a multiple of 2) of a bitmap
// `width` pixels wide with a set bit for white; the printer's rows set a bit for black, so the
// pixel bytes are inverted and the bits past the width cleared.
void appendMonochromeRow(const unsigned char* row, std::size_t rowBytes, std::uint32_t width,
                         std::string& out);

} // namespace pelmora
