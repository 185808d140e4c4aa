// One pass of the escape scanner over a PCL soft font (GetPCLBMFont for bitmap fonts, GetPCLEOFont
// for scalable ones).
#pragma once

#include "FontState.h"
#include "PclFontCharacter.h"

#include <cstddef>
#include <span>

namespace vintrel {

// Codes a PCL font's table holds.
inline constexpr std::size_t kPclBitmapCodes = 256;
inline constexpr std::size_t kPclScalableCodes = 512;

// In mode C the selected codes are collected, in mode S the font description of the first font
// header is written to state.description, in mode R the characters are read into the code
// table and the glyph data. The data of every font-header and character-download command is
// taken as data, never scanned for commands. False when a command fails; a scalable font's pass
// then adds its own line.
bool readPclFont(FontState& state, std::span<const unsigned char> font, PclFontKind kind, FontMode mode);

} // namespace vintrel
