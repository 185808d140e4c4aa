// The conversions of a PCL or LDFC font held in memory: its description (MakeSFA's work) and its
// glyph resource (CreateFontResource's work), with the converters' and the export's failure lines.
#pragma once

#include <span>

namespace vintrel {

struct FontState;

// Where a conversion puts its result.
class FontOutput {
public:
    virtual ~FontOutput() = default;
    // False when the output cannot be created.
    virtual bool open() = 0;
    // Writes the whole result and completes the output; false when it is not written whole.
    virtual bool write(std::span<const unsigned char> bytes) = 0;
};

// Classifies the font and writes its description through the converter of its class (PCLBM2SFA,
// PCLEO2SFA, LDFC2SFA), which reads it twice: collecting its codes, then describing it. False for
// a font of descriptor format 15 (without a line), for any other font with no converter, or when
// the converter fails or writes no description; the converter's and MakeSFA's lines are sent.
bool describeFont(FontState& state, std::span<const unsigned char> font, FontOutput& output);

// Classifies the font and writes its glyph resource through the converter of its class
// (PCLBM2RSC, PCLEO2RSC, LDFC2RSC). False, with the lines of the converter and of
// CreateFontResource, when the font has no converter or the conversion fails.
bool buildFontResource(FontState& state, std::span<const unsigned char> font, FontOutput& output);

} // namespace vintrel
