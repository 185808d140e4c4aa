#include "TrueTypeUnicodeMap.h"

#include <cstdint>

namespace qrl::test {
namespace {

constexpr std::size_t kUnicodeValues = 0x10000;

// Big-endian values within [0, end) of the font; a read past the end clears `ok` and gives 0.
struct Cursor {
    const std::string& bytes;
    std::size_t end;
    bool ok = true;

    std::uint32_t at(std::size_t offset, std::size_t size)
    {
        if (offset > end || end - offset < size) {
            ok = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
        return value;
    }
    std::uint16_t u16(std::size_t offset) { return static_cast<std::uint16_t>(at(offset, 2)); }
    std::uint32_t u32(std::size_t offset) { return at(offset, 4); }
};

// Offset and end of the "cmap" table, or 0, 0.
std::pair<std::size_t, std::size_t> findCmap(Cursor& file)
{
    const std::uint16_t tables = file.u16(4);
    for (std::size_t i = 0; i < tables && file.ok; ++i) {
        const std::size_t entry = 12 + 16 * i;
        if (file.u32(entry) != 0x636D6170u) // "cmap"
            continue;
        const std::size_t offset = file.u32(entry + 8);
        const std::size_t length = file.u32(entry + 12);
        if (!file.ok || offset > file.end || file.end - offset < length)
            return {0, 0};
        return {offset, offset + length};
    }
    return {0, 0};
}

} // namespace

std::vector<int> readUnicodeMap(const std::string& font)
{
    Cursor file{font, font.size()};
    const auto [cmap, cmapEnd] = findCmap(file);
    if (cmapEnd == 0)
        return {};
    Cursor map{font, cmapEnd};
    std::size_t subtable = 0;
    const std::uint16_t records = map.u16(cmap + 2);
    for (std::size_t i = 0; i < records && map.ok && subtable == 0; ++i) {
        const std::size_t record = cmap + 4 + 8 * i;
        if (map.u16(record) == 3 && map.u16(record + 2) == 1)
            subtable = cmap + map.u32(record + 4);
    }
    if (subtable == 0 || map.u16(subtable) != 4 || !map.ok)
        return {};
    const std::size_t segX2 = map.u16(subtable + 6);
    const std::size_t ends = subtable + 14;
    const std::size_t starts = ends + segX2 + 2;
    const std::size_t deltas = starts + segX2;
    const std::size_t rangeOffsets = deltas + segX2;
    map.u16(rangeOffsets + segX2 - 2); // the last segment's arrays lie within the table
    if (!map.ok || segX2 == 0)
        return {};

    std::vector<int> glyphs(kUnicodeValues, kOutsideMap);
    for (std::size_t seg = 0; seg < segX2; seg += 2) {
        const std::uint32_t start = map.u16(starts + seg);
        const std::uint32_t end = map.u16(ends + seg);
        const std::uint16_t delta = map.u16(deltas + seg);
        const std::uint16_t rangeOffset = map.u16(rangeOffsets + seg);
        for (std::uint32_t c = start; c <= end; ++c) {
            if (glyphs[c] != kOutsideMap)
                continue; // an earlier segment holds it already
            if (rangeOffset == 0) {
                glyphs[c] = static_cast<std::uint16_t>(c + delta);
                continue;
            }
            Cursor entry{font, cmapEnd};
            const std::uint16_t glyph = entry.u16(rangeOffsets + seg + rangeOffset + 2 * (c - start));
            glyphs[c] = glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
        }
    }
    return glyphs;
}

} // namespace qrl::test
