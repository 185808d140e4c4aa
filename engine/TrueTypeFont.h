// A TrueType font read whole into memory, with every table, offset and length it gives checked
// against the bytes before use. Answers the lookups of the conversion: the table directory, the
// Unicode character map (platform 3, encoding 1, format 4), glyph outlines through "loca" and
// "glyf", and the metrics of "head", "hmtx" and "OS/2".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vintrel {

struct TableEntry {
    std::uint32_t tag;
    std::uint32_t checksum;
    std::uint32_t offset;
    std::uint32_t length;
};

// Where a glyph's outline lies in the font; length 0 for an empty outline.
struct GlyphLocation {
    std::uint32_t offset;
    std::uint32_t length;
};

class TrueTypeFont {
public:
    // Reads the file and its table directory; false when it cannot be read or the directory or
    // any entry reaches past the end of the file.
    bool load(const std::string& path);
    // The same over bytes already in memory.
    bool parse(std::vector<unsigned char> bytes);

    const std::vector<unsigned char>& bytes() const { return m_bytes; }
    const std::vector<TableEntry>& tables() const { return m_tables; }
    std::uint16_t searchRange() const { return m_searchRange; }
    std::uint16_t entrySelector() const { return m_entrySelector; }
    std::uint16_t rangeShift() const { return m_rangeShift; }

    // The first entry with this tag.
    const TableEntry* table(const char tag[5]) const;

    // The big-endian value of `size` (1, 2 or 4) bytes at base + offset, or nothing past the end.
    std::optional<std::uint32_t> value(std::uint64_t base, std::uint64_t offset, unsigned size) const;

    // Finds the character map and the glyph tables; false when one is missing or malformed.
    bool prepareGlyphLookup();
    // The glyph of a Unicode value: nothing when no segment of the map holds it; glyph 0 for a
    // mapped entry that points outside the map.
    std::optional<std::uint16_t> glyphOf(std::uint16_t unicode) const;
    // Nothing when the glyph has no entry pair in "loca" or its outline does not lie within "glyf".
    std::optional<GlyphLocation> locate(std::uint16_t glyph) const;
    // The advance width from "hmtx"; glyphs past the last full metric take its width.
    std::optional<std::uint16_t> advanceWidth(std::uint16_t glyph) const;

private:
    std::vector<unsigned char> m_bytes;
    std::vector<TableEntry> m_tables;
    std::uint16_t m_searchRange = 0;
    std::uint16_t m_entrySelector = 0;
    std::uint16_t m_rangeShift = 0;

    // Set by prepareGlyphLookup().
    std::uint64_t m_cmapEnd = 0;  // end of the "cmap" table, which bounds the subtable
    std::uint64_t m_segments = 0; // offset of the format-4 subtable
    std::uint16_t m_segCount = 0;
    const TableEntry* m_loca = nullptr;
    const TableEntry* m_glyf = nullptr;
    const TableEntry* m_hmtx = nullptr;
    bool m_longLoca = false;
    std::uint32_t m_metricCount = 0;
};

// The four letters of a table tag as one big-endian value.
constexpr std::uint32_t tagValue(const char tag[5])
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(tag[3]));
}

} // namespace vintrel
