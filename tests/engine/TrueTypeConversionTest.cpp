// MakeTTFResource on a font built in code: the three resources byte for byte, as the layout rules
// give them, for the ASCII set, a national set and the unbounded set.
#include "vintrel.h"

#include "TempCwd.h"
#include "TrueTypeTestFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <tuple>

#include <string>
#include <utility>
#include <vector>

namespace {

using qrl::test::buildTestFont;
using qrl::test::defaultTestFont;
using qrl::test::findTable;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::writeFile;

constexpr std::uint16_t kFont = 4711;
constexpr std::uint16_t kTypeface = 52;

struct Bytes {
    std::string s;
    Bytes& u8(std::uint32_t v)
    {
        s += static_cast<char>(v);
        return *this;
    }
    Bytes& u16(std::uint32_t v) { return u8(v >> 8).u8(v); }
    Bytes& u32(std::uint32_t v) { return u16(v >> 16).u16(v & 0xFFFF); }
    Bytes& text(const std::string& t)
    {
        s += t;
        return *this;
    }
    Bytes& zeros(std::size_t n)
    {
        s.append(n, '\0');
        return *this;
    }
    Bytes& pad4() { return zeros((4 - s.size() % 4) % 4); }
};

struct Record {
    std::uint16_t code; // 0xFFFE for a component-only record
    std::uint16_t glyph;
};

// A format-15 glyph record: descriptor, size word, glyph index, outline, zero, checksum.
std::string glyphRecord(std::uint16_t glyph, const std::string& outline)
{
    Bytes r;
    r.u8(0x0F)
        .u8(0)
        .u8(2)
        .u8(0x0F)
        .u16(static_cast<std::uint32_t>(outline.size() + 4))
        .u16(glyph)
        .text(outline);
    unsigned sum = 0;
    for (std::size_t i = 4; i < r.s.size(); ++i)
        sum += static_cast<unsigned char>(r.s[i]);
    r.u8(0).u8((256 - sum % 256) % 256);
    return r.pad4().s;
}

// The glyph data: head, glyph offsets, font data block, table directory with "gdir" and the kept
// tables head, hhea and hmtx, then the records.
std::string expectedData(const std::string& font, const std::vector<std::string>& outlines,
                         const std::vector<Record>& records)
{
    const std::uint32_t n = static_cast<std::uint32_t>(records.size());
    Bytes dir;
    dir.u32(0x00010000).u16(4).u16(128).u16(3).u16(16).text("gdir").u32(0).u32(0).u32(0);
    std::uint32_t at = 12 + 16 * 4;
    std::string bodies;
    for (const char* tag : {"head", "hhea", "hmtx"}) {
        const auto t = findTable(font, tag);
        dir.text(tag).u32(0x11111111u * static_cast<std::uint32_t>(tag[0] & 0x0F)).u32(at).u32(t.length);
        std::string body = font.substr(t.offset, t.length);
        body.append((4 - body.size() % 4) % 4, '\0');
        at += static_cast<std::uint32_t>(body.size());
        bodies += body;
    }
    const std::string directory = dir.s + bodies;
    std::vector<std::string> recs;
    for (const Record& r : records)
        recs.push_back(glyphRecord(r.glyph, outlines[r.glyph]));
    std::uint32_t recordAt = 24 + 4 * n + 12 + static_cast<std::uint32_t>(directory.size());
    Bytes out;
    std::uint32_t total = recordAt;
    for (const auto& r : recs)
        total += static_cast<std::uint32_t>(r.size());
    out.u32(total)
        .u32(0x800E0000)
        .u8(0xC3)
        .u8(0xE4)
        .u16(kFont)
        .u16(n + 2)
        .u16(0)
        .u32(4 * n + 8)
        .u32(4 * n + 16);
    for (std::uint32_t i = 0; i < n; ++i) {
        out.u32(recordAt - (24 + 4 * i));
        recordAt += static_cast<std::uint32_t>(recs[i].size());
    }
    out.zeros(12).text(directory);
    for (const auto& r : recs)
        out.text(r);
    return out.s;
}

std::string expectedIndex(const std::vector<Record>& records, bool unbounded)
{
    const std::uint32_t n = static_cast<std::uint32_t>(records.size());
    Bytes out;
    out.u32(28 + 2 * n + (n % 2 ? 2 : 0)).u32(0x800F0000).u8(0xC9).u8(0xE4).u16(kFont).u16(n + 2).u16(2);
    if (unbounded)
        out.u16(0xFFFF).u16(0xFFFF).u16(63).u16(0xFFFE);
    else
        out.zeros(8);
    out.text("PAGT");
    for (const Record& r : records)
        out.u16(r.code);
    if (n % 2)
        out.u16(0);
    return out.s;
}

struct HeaderFields {
    std::uint8_t fontType;
    std::uint16_t first, last, symbolSet;
};

// Width 1300: the space glyph 5 lies past the four metrics and takes the last one's advance.
// Height 2048 * 1800 / 2200 = 1675. Italic bit and condensed width: 1 + 4. Weight 700: 3.
std::string expectedHeader(const HeaderFields& f, const std::string& name)
{
    Bytes h;
    h.u32(132).u32(0x000A0000).u16(790).u8(1).u8(f.fontType).u16(kFont).u16(0xFFFF).u16(f.first).u16(f.last);
    h.u16(f.symbolSet).u16(1).u16(1300).u16(0).u16(1675).u16(0).u16(5).u16(0x0300).u16(kTypeface).u16(2048);
    h.u16(0).u16(0).u32(0).text(name).zeros(32 - name.size()).u32(0).u32(0).u16(6);
    for (auto [size, a, b] : {std::tuple{4, 0, 1}, {22, 0, 1}, {22, 0, 2}, {22, 1, 0}, {0, 1, 0}, {4, 1, 0}})
        h.u16(static_cast<std::uint32_t>(size))
            .u8(static_cast<std::uint32_t>(a))
            .u8(static_cast<std::uint32_t>(b));
    h.u16(5).u32(0).u32(0).u8(0xC3).u8(0xE4).u16(kFont).u8(0xC9).u8(0xE4).u16(kFont);
    return h.s;
}

class TrueTypeConversion : public ::testing::Test {
protected:
    TrueTypeConversion() : m_options(defaultTestFont()), m_font(buildTestFont(m_options))
    {
        writeFile("face.ttf", m_font);
    }

    TempCwd m_cwd;
    qrl::test::TestFontOptions m_options;
    std::string m_font;
};

TEST_F(TrueTypeConversion, AsciiSetByteForByte)
{
    ASSERT_EQ(MakeTTFResource("face.ttf", "Test Face", 3, kFont, kTypeface, 6), 1);
    // Code 39 is U+2019 (glyph 2 through the glyph-index array); 65 to 67 are glyphs 1 to 3; the
    // composite 3 brings its component 4, while component 1 already has a record of its own.
    const std::vector<Record> records = {{39, 2}, {65, 1}, {66, 2}, {67, 3}, {0xFFFE, 4}};
    EXPECT_EQ(readFile("TTD00003.RSC"), expectedData(m_font, m_options.outlines, records));
    EXPECT_EQ(readFile("TTI00003.RSC"), expectedIndex(records, false));
    EXPECT_EQ(readFile("TTH00003.HDR"), expectedHeader({0, 32, 127, 21}, "Test Face"));
}

TEST_F(TrueTypeConversion, NationalSetMapsItsOwnCodes)
{
    ASSERT_EQ(MakeTTFResource("face.ttf", nullptr, 12, kFont, kTypeface, 9), 1);
    // ISO 21 German: code 91 is U+00C4, so glyph 4 is mapped and needs no component record.
    const std::vector<Record> records = {{39, 2}, {65, 1}, {66, 2}, {67, 3}, {91, 4}};
    EXPECT_EQ(readFile("TTD00012.RSC"), expectedData(m_font, m_options.outlines, records));
    EXPECT_EQ(readFile("TTI00012.RSC"), expectedIndex(records, false));
    EXPECT_EQ(readFile("TTH00012.HDR"), expectedHeader({0, 32, 127, 39}, ""));
}

TEST_F(TrueTypeConversion, UnboundedSetUsesUnicodeCodes)
{
    ASSERT_EQ(MakeTTFResource("face.ttf", "A name longer than thirty-two characters", 0, kFont, kTypeface, 0),
              1);
    // Code 32's glyph is empty and becomes glyph 0.
    const std::vector<Record> records = {{32, 0}, {65, 1}, {66, 2}, {67, 3}, {196, 4}, {0x2019, 2}};
    EXPECT_EQ(readFile("TTD00000.RSC"), expectedData(m_font, m_options.outlines, records));
    EXPECT_EQ(readFile("TTI00000.RSC"), expectedIndex(records, true));
    EXPECT_EQ(readFile("TTH00000.HDR"), expectedHeader({11, 0, 881, 56}, "A name longer than thirty-two ch"));
}

TEST_F(TrueTypeConversion, EachCallStartsAfresh)
{
    ASSERT_EQ(MakeTTFResource("face.ttf", "First", 1, kFont, kTypeface, 6), 1);
    ASSERT_EQ(MakeTTFResource("face.ttf", nullptr, 2, kFont, kTypeface, 9), 1);
    EXPECT_EQ(readFile("TTH00002.HDR"), expectedHeader({0, 32, 127, 39}, ""));
    // A failed call leaves no state behind for the step exports.
    EXPECT_EQ(MakeTTFResource("missing.ttf", "x", 2, kFont, kTypeface, 6), 0);
    EXPECT_EQ(ConvertTTF(), 0);
    std::uint32_t value = 0;
    EXPECT_EQ(GetValue(0, 0, 4, &value), 0);
}

TEST_F(TrueTypeConversion, StepExportsWorkOnTheCurrentFont)
{
    ASSERT_EQ(MakeTTFResource("face.ttf", "Test Face", 3, kFont, kTypeface, 6), 1);
    std::uint32_t value = 0;
    EXPECT_EQ(GetValue(0, 4, 2, &value), 1);
    EXPECT_EQ(value, 9u); // the table count
    EXPECT_EQ(GetValue(static_cast<std::uint32_t>(m_font.size()), 0, 1, &value), 0);
    EXPECT_EQ(GetValue(0, 0, 3, &value), 0);

    FILE* out = std::fopen("steps.bin", "wb");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(fprintf_BYTE(out, 0x1AB), 1);
    EXPECT_EQ(fprintf_WORD(out, 0x1234), 1);
    EXPECT_EQ(fprintf_DWORD(out, 0x89ABCDEF), 1);
    EXPECT_EQ(fprintf_ASCII(out, 0, 4), 1);
    EXPECT_EQ(fprintf_ASCII(out, static_cast<std::uint32_t>(m_font.size()) - 1, 2), 0);
    std::fclose(out);
    EXPECT_EQ(readFile("steps.bin"), std::string("\xAB\x12\x34\x89\xAB\xCD\xEF\x00\x01\x00\x00", 11));

    FILE* in = std::fopen("face.ttf", "rb");
    out = std::fopen("copy.bin", "wb");
    EXPECT_EQ(CopyFileExternal(in, out, 12, 16), 1);
    EXPECT_EQ(CopyFileExternal(in, out, static_cast<std::uint32_t>(m_font.size()) - 2, 4), 0);
    std::fclose(in);
    std::fclose(out);
    EXPECT_EQ(readFile("copy.bin").substr(0, 16), m_font.substr(12, 16));
}

} // namespace

namespace {

const char* const kInstalledFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::uint32_t be32(const std::string& s, std::size_t at)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8) |
           static_cast<unsigned char>(s[at + 3]);
}

std::uint16_t be16(const std::string& s, std::size_t at)
{
    return static_cast<std::uint16_t>((static_cast<unsigned char>(s[at]) << 8) |
                                      static_cast<unsigned char>(s[at + 1]));
}

TEST(TrueTypeInstalledFont, ConvertsIntoConsistentResources)
{
    if (!std::filesystem::exists(kInstalledFont))
        GTEST_SKIP() << kInstalledFont << " is not installed";
    TempCwd cwd;
    ASSERT_EQ(MakeTTFResource(kInstalledFont, "DejaVu Sans", 9, 300, 77, 3), 1);
    const std::string header = readFile("TTH00009.HDR");
    const std::string data = readFile("TTD00009.RSC");
    const std::string index = readFile("TTI00009.RSC");
    ASSERT_EQ(header.size(), 132u);
    EXPECT_EQ(static_cast<unsigned char>(header[11]), 1); // ISO Latin 1 has an upper half
    ASSERT_GE(data.size(), 36u);
    EXPECT_EQ(be32(data, 0), data.size());
    EXPECT_EQ(be32(index, 0), index.size());
    const std::uint16_t n = static_cast<std::uint16_t>(be16(data, 12) - 2);
    EXPECT_EQ(be16(index, 12), n + 2);
    EXPECT_GE(n, 180); // nearly every code of the set is in the font
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = 24 + 4 * i + be32(data, 24 + 4 * i);
        ASSERT_LE(at + 10, data.size());
        ASSERT_EQ(be32(data, at), 0x0F00020Fu) << i;
        const std::size_t length = be16(data, at + 4) - 4u;
        ASSERT_LE(at + 10 + length, data.size());
        unsigned sum = 0;
        for (std::size_t b = at + 4; b < at + 8 + length + 2; ++b)
            sum += static_cast<unsigned char>(data[b]);
        EXPECT_EQ(sum % 256, 0u) << "checksum of record " << i;
    }
}

} // namespace
