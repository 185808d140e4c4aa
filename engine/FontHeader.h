// The font header resource ("BBM%05d.HDR") of a PCL or LDFC font, made from its description.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vintrel {

class FontDescription;

inline constexpr std::size_t kFontResourceIdSize = 4;

// The resource id of a font's header and glyph resources: 0xC2, 0xCD and the 16-bit font number.
void putFontResourceId(unsigned char* field, std::uint32_t fontNumber);

// The header, big-endian: 132 bytes when the description's type is 3, else 116. `name` is the
// font name stored (at most 31 characters); every value is cut to its field's width.
std::vector<unsigned char> buildFontHeader(const FontDescription& description, std::string_view name,
                                           std::uint32_t fontNumber);

} // namespace vintrel
