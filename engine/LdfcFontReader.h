// One pass over a printer-language bitmap font (GetLDFCFont): the commands after its "!R!", of
// which "UNIT", "SFA" and "LDFC" count.
#pragma once

#include "FontState.h"

#include <cstddef>
#include <span>

namespace vintrel {

// Codes 0 to 255 are characters; code 256 carries the escapements of the others.
inline constexpr std::size_t kLdfcCodes = 257;

// In mode S every "SFA" command appends the font description to state.description; in mode R the
// characters of the first "LDFC" command's font number are read into the code table and the
// glyph data, their offsets adjusted by their orientation, and code 256 added as the glyph of the
// escapements. False when the file holds no "!R!" or an "SFA" command has other than 3, 9 or 10
// values.
bool readLdfcFont(FontState& state, std::span<const unsigned char> font, FontMode mode);

} // namespace vintrel
