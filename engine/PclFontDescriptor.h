// The font descriptor of a PCL soft font (the data of its font-header command) and the font
// description made from it.
#pragma once

#include "FontDescription.h"
#include "FontDiagnostics.h"

#include <span>

namespace vintrel {

struct FontState;

// Copies the descriptor from the command's data into the state: 64 bytes, 68 for format 20 (its
// resolution), 80 for the scalable formats 10, 11 and 211. False, with `reporter`'s line 0x00
// when the data holds fewer than 64 bytes and 0x01 when it lacks the format's extension.
bool readPclDescriptor(FontState& state, std::span<const unsigned char> data, FontFunction reporter);

// The description of the descriptor in the state, with the codes of the collecting pass and the
// name and typeface of the request.
FontDescription describePclFont(const FontState& state);

} // namespace vintrel
