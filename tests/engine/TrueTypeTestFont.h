// A small TrueType font built in code for the conversion tests and the fuzz corpus: seven glyphs
// (one empty, one composite), a format-4 Unicode map and the tables the conversion reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrl::test {

struct CmapSegment {
    std::uint16_t start;
    std::uint16_t end;
    std::uint16_t delta;
    std::vector<std::uint16_t> glyphs; // when not empty: through the glyph-index array
};

struct TestFontOptions {
    std::vector<std::string> outlines; // glyph outlines by glyph index, each of even length
    std::vector<CmapSegment> segments; // the closing 0xFFFF segment is added
    std::uint16_t unitsPerEm = 2048;
    std::int16_t yMin = -400;
    std::int16_t yMax = 1800;
    std::uint16_t weightClass = 700;
    std::uint16_t widthClass = 3;
    std::uint16_t fsSelection = 0x0001;
    std::vector<std::uint16_t> advances{1000, 1100, 1200, 1300}; // the metrics of "hmtx"
    bool withOs2 = true;
};

// Outline helpers: a simple glyph of `size` bytes (contour count 1), and a composite of the
// components given, each with word arguments and a scale.
std::string simpleOutline(std::size_t size, char fill);
std::string compositeOutline(const std::vector<std::uint16_t>& components);

// The default font: glyph 0 notdef, 1 'A', 2 'B', 3 'C' a composite of glyphs 4
// and 1, 4 a glyph reached only as a component, 5 empty (space), 6 unmapped. Map: U+0020 -> 5,
// U+0041..U+0043 -> 1..3, U+00C4 -> 4, U+2019 -> 2 through the glyph-index array.
TestFontOptions defaultTestFont();
std::string buildTestFont(const TestFontOptions& options);

// Offset and length of a table in a built font, found through its directory.
struct TableSpan {
    std::uint32_t offset;
    std::uint32_t length;
};
TableSpan findTable(const std::string& font, const char tag[5]);

} // namespace qrl::test
