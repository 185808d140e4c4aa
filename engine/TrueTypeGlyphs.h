// Glyph collection of the TrueType conversion, working on the shared state: one glyph record per
// mapped code of the code list, then one per glyph that composites refer to.
#pragma once

#include <cstdint>

namespace vintrel {

// Collects the glyph records of every code of the code list, then of the components.
bool makeTTFCharData();
// Appends the record of one code: nothing when no segment of the character map holds its
// Unicode value; glyph 0 for an empty outline or one outside "loca". False on a read failure.
bool getTTFCharData(std::uint16_t code, std::uint16_t unicode);
// Adds each glyph a composite outline refers to, once, to the component list. False when the
// component records run past the outline.
bool getCompositeData(std::uint16_t glyph);

} // namespace vintrel
