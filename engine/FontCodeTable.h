// The code table of the font being converted: one record per character code, each absent until a
// reader fills it, plus the lowest and highest code that the font selects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vintrel {

struct CodeRecord {
    bool present = false;
    std::uint16_t code = 0;
    std::uint32_t height = 0; // rows
    std::uint32_t width = 0;  // dots
    // Offsets in 1/32 dot and the escapement in its two kept scales (x 8 and x 4 of a PCL
    // character's escapement); kept wide, cut to their field widths only when written.
    std::int64_t top = 0;
    std::int64_t left = 0;
    std::int64_t escapement8 = 0;
    std::int64_t escapement4 = 0;
    int orientation = 0; // 0 and 2 advance horizontally, 1 and 3 vertically
    // The glyph's bytes in FontState::glyphData: big-endian raster words of a bitmap glyph, the
    // character data of an EO glyph.
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
};

struct CodeRange {
    int lowest = -1; // -1: no code seen
    int highest = -1;
};

class FontCodeTable {
public:
    // `count` absent records, codes 0 to count - 1.
    void reset(std::size_t count);
    std::size_t size() const { return m_records.size(); }

    // The record of `code`, or nullptr when the table has none.
    CodeRecord* find(std::int64_t code);
    const CodeRecord& operator[](std::size_t code) const { return m_records[code]; }
    CodeRecord& operator[](std::size_t code) { return m_records[code]; }

    // Widens the range of codes seen by `code`, which must have a record.
    void noteSeen(int code);
    CodeRange seen() const { return m_seen; }
    // The highest code whose record is present.
    std::optional<std::size_t> highestPresent() const;

private:
    std::vector<CodeRecord> m_records;
    CodeRange m_seen;
};

} // namespace vintrel
