// The three resources of a converted TrueType font, built in memory from the conversion state:
// the font header ("TTH%05d.HDR"), the glyph data ("TTD%05d.RSC") and the character index
// ("TTI%05d.RSC"). All big-endian.
#pragma once

#include "TrueTypeState.h"

#include <cstdint>
#include <vector>

namespace vintrel {

inline constexpr std::size_t kTrueTypeHeaderSize = 132;
// The most glyph records one font can carry: the record count plus 2 is a 16-bit field.
inline constexpr std::size_t kGlyphRecordMax = 0xFFFF - 2;
// The longest outline a record can hold: its length plus 4 is a 16-bit field.
inline constexpr std::uint32_t kOutlineMax = 0xFFFF - 4;

std::vector<unsigned char> buildHeaderResource(const TrueTypeState& state);
// The table directory block: an offset table, a "gdir" entry, an entry per kept table and the
// kept tables' data, each on a multiple of 4 bytes. Offsets count from the block's first byte.
std::vector<unsigned char> buildTableSegment(const TrueTypeFont& font);
// Empty when the data would not fit the 32-bit size field.
std::vector<unsigned char> buildDataResource(const TrueTypeState& state);
std::vector<unsigned char> buildIndexResource(const TrueTypeState& state);

} // namespace vintrel
