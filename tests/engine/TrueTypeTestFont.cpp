#include "TrueTypeTestFont.h"

#include <cstring>
#include <map>
#include <utility>

namespace qrl::test {
namespace {

void put16(std::string& s, std::uint32_t v)
{
    s += static_cast<char>(v >> 8);
    s += static_cast<char>(v);
}

void put32(std::string& s, std::uint32_t v)
{
    put16(s, v >> 16);
    put16(s, v & 0xFFFF);
}

std::string headTable(const TestFontOptions& o)
{
    std::string t;
    put32(t, 0x00010000);
    put32(t, 0x00010000);
    put32(t, 0);          // checksum adjustment
    put32(t, 0x5F0F3CF5); // magic
    put16(t, 0);
    put16(t, o.unitsPerEm);
    t.append(16, '\0'); // dates
    put16(t, 0);
    put16(t, static_cast<std::uint16_t>(o.yMin));
    put16(t, 1000);
    put16(t, static_cast<std::uint16_t>(o.yMax));
    put16(t, 0);
    put16(t, 8);
    put16(t, 2);
    put16(t, 0); // short loca
    put16(t, 0);
    return t;
}

std::string hheaTable(const TestFontOptions& o)
{
    std::string t(34, '\0');
    put16(t, static_cast<std::uint32_t>(o.advances.size()));
    return t;
}

std::string os2Table(const TestFontOptions& o)
{
    std::string t;
    put16(t, 0);
    put16(t, 500);
    put16(t, o.weightClass);
    put16(t, o.widthClass);
    t.append(54, '\0');
    put16(t, o.fsSelection); // offset 62
    t.append(14, '\0');
    return t;
}

std::string cmapTable(const TestFontOptions& o)
{
    std::vector<CmapSegment> segs = o.segments;
    segs.push_back({0xFFFF, 0xFFFF, 1, {}});
    const std::uint16_t n = static_cast<std::uint16_t>(segs.size());
    std::string sub;
    put16(sub, 4);
    put16(sub, 0); // length, patched below
    put16(sub, 0);
    put16(sub, 2 * n);
    put16(sub, 2);
    put16(sub, 0);
    put16(sub, 0);
    for (const auto& s : segs)
        put16(sub, s.end);
    put16(sub, 0);
    for (const auto& s : segs)
        put16(sub, s.start);
    for (const auto& s : segs)
        put16(sub, s.delta);
    // Range offsets count from their own entry to the segment's first glyph-index entry.
    std::size_t arrayEntries = 0;
    for (std::uint16_t i = 0; i < n; ++i) {
        if (segs[i].glyphs.empty()) {
            put16(sub, 0);
            continue;
        }
        put16(sub, static_cast<std::uint32_t>(2 * (n - i) + 2 * arrayEntries));
        arrayEntries += segs[i].glyphs.size();
    }
    for (const auto& s : segs)
        for (std::uint16_t g : s.glyphs)
            put16(sub, g);
    sub[2] = static_cast<char>(sub.size() >> 8);
    sub[3] = static_cast<char>(sub.size());
    std::string t;
    put16(t, 0);
    put16(t, 1);
    put16(t, 3);
    put16(t, 1);
    put32(t, 12);
    return t + sub;
}

} // namespace

std::string simpleOutline(std::size_t size, char fill)
{
    std::string g;
    put16(g, 1);
    g.append(size - 2, fill);
    return g;
}

std::string compositeOutline(const std::vector<std::uint16_t>& components)
{
    std::string g;
    put16(g, 0xFFFF);
    g.append(8, '\x01'); // bounding box
    for (std::size_t i = 0; i < components.size(); ++i) {
        const bool more = i + 1 < components.size();
        put16(g, 0x0001 | 0x0008 | (more ? 0x0020 : 0)); // word arguments, one scale
        put16(g, components[i]);
        put32(g, 0x00050006);
        put16(g, 0x4000);
    }
    return g;
}

TestFontOptions defaultTestFont()
{
    TestFontOptions o;
    o.outlines = {simpleOutline(12, 'n'),   simpleOutline(14, 'a'), simpleOutline(14, 'b'),
                  compositeOutline({4, 1}), simpleOutline(16, 'd'), std::string(),
                  simpleOutline(10, 'u')};
    o.segments = {{0x20, 0x20, static_cast<std::uint16_t>(5 - 0x20), {}},
                  {0x41, 0x43, static_cast<std::uint16_t>(1 - 0x41), {}},
                  {0xC4, 0xC4, static_cast<std::uint16_t>(4 - 0xC4), {}},
                  {0x2019, 0x2019, 0, {2}}};
    return o;
}

std::string buildTestFont(const TestFontOptions& o)
{
    std::string glyf, loca;
    for (const std::string& outline : o.outlines) {
        put16(loca, static_cast<std::uint32_t>(glyf.size() / 2));
        glyf += outline;
        glyf.append(glyf.size() % 2, '\0'); // short "loca" offsets count in words
    }
    put16(loca, static_cast<std::uint32_t>(glyf.size() / 2));
    std::string hmtx;
    for (std::uint16_t advance : o.advances) {
        put16(hmtx, advance);
        put16(hmtx, 10);
    }
    std::map<std::string, std::string> tables = {{"cmap", cmapTable(o)},
                                                 {"glyf", glyf},
                                                 {"head", headTable(o)},
                                                 {"hhea", hheaTable(o)},
                                                 {"hmtx", hmtx},
                                                 {"loca", loca},
                                                 {"name", std::string(6, '\0')},
                                                 {"post", std::string(32, '\x03')}};
    if (o.withOs2)
        tables.emplace("OS/2", os2Table(o));

    std::string font;
    put32(font, 0x00010000);
    put16(font, static_cast<std::uint32_t>(tables.size()));
    put16(font, 128);
    put16(font, 3);
    put16(font, static_cast<std::uint32_t>(tables.size() * 16 - 128));
    std::size_t at = 12 + 16 * tables.size();
    std::string data;
    for (const auto& [tag, body] : tables) {
        font += tag;
        put32(font, 0x11111111u * static_cast<std::uint32_t>(tag[0] & 0x0F)); // a checksum to copy
        put32(font, static_cast<std::uint32_t>(at + data.size()));
        put32(font, static_cast<std::uint32_t>(body.size()));
        data += body;
        data.append((4 - data.size() % 4) % 4, '\0');
    }
    return font + data;
}

TableSpan findTable(const std::string& font, const char tag[5])
{
    const auto u32 = [&](std::size_t at) {
        return (static_cast<std::uint32_t>(static_cast<unsigned char>(font[at])) << 24) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(font[at + 1])) << 16) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(font[at + 2])) << 8) |
               static_cast<unsigned char>(font[at + 3]);
    };
    const std::size_t count =
        (static_cast<unsigned char>(font[4]) << 8) | static_cast<unsigned char>(font[5]);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 12 + 16 * i;
        if (std::memcmp(font.data() + entry, tag, 4) == 0)
            return {u32(entry + 8), u32(entry + 12)};
    }
    return {0, 0};
}

} // namespace qrl::test
