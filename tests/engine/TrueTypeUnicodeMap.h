// A small reader of a TrueType font's Unicode character map (platform 3, encoding 1, format 4),
// written apart from the engine's, so that conversion tests can count what a real font holds
// without asking the code under test.
#pragma once

#include <string>
#include <vector>

namespace qrl::test {

inline constexpr int kOutsideMap = -1;

// By Unicode value (65536 entries): the glyph the map gives, or kOutsideMap for a value in no
// segment. A glyph-index array entry outside the table counts as glyph 0. Empty when the font has
// no such map or its directory, map header or segment arrays reach past their bounds.
std::vector<int> readUnicodeMap(const std::string& font);

} // namespace qrl::test
