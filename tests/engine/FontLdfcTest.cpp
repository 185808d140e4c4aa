// Printer-language bitmap fonts (LDFC): description, header and glyph resource of a font built
// here, checked byte for byte, and the "SFA" forms and units.
#include "vintrel.h"

#include "FontFixtures.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qrl::test;

constexpr std::uint32_t kFontNumber = 5000;
constexpr std::uint32_t kTypeface = 15000;

TEST(LdfcFont, DescriptionHeaderAndGlyphsFollowTheLayouts)
{
    TempCwd cwd;
    writeFile("font.ldf", ldfcTestFont());
    ASSERT_EQ(MakeSFA("font.ldf", 4, "Letter Gothic", kFontNumber, kTypeface), 1);
    // Dots as unit: pitch 30 and height 50 dots, four times each.
    const std::string description =
        ldfcDescriptionLine("type", "2") + ldfcDescriptionLine("format", "0") +
        ldfcDescriptionLine("fonttype", "1") + ldfcDescriptionLine("namelength", "13") +
        ldfcDescriptionLine("firstcode", "0") + ldfcDescriptionLine("lastcode", "256") +
        ldfcDescriptionLine("symbolset", "277") + ldfcDescriptionLine("orientation", "1") +
        ldfcDescriptionLine("spacing", "1") + ldfcDescriptionLine("pitch", "120") +
        ldfcDescriptionLine("height", "200") + ldfcDescriptionLine("capheight", "200") +
        ldfcDescriptionLine("vmi", "200") + ldfcDescriptionLine("style", "1") +
        ldfcDescriptionLine("strokeweight", "2") + ldfcDescriptionLine("serifstyle", "0") +
        ldfcDescriptionLine("typeface", "15000") + ldfcDescriptionLine("scalefactor", "0") +
        ldfcDescriptionLine("masterunderlineposition", "0") +
        ldfcDescriptionLine("masterunderlineheight", "0") + ldfcDescriptionLine("strokewidth", "0") +
        ldfcDescriptionLine("fontname", "Letter Gothic") + ldfcDescriptionLine("rotation", "1") +
        ldfcDescriptionLine("ldfcfont", "1");
    EXPECT_EQ(readFile("FNT00004.SFA"), description);

    ASSERT_EQ(MakeFontHeader(4, "Letter Gothic", kFontNumber), 1);
    Bytes header;
    header.u32(116).u16(0).u16(0).u8(2).u8(0).u8(1).u8(13).u16(kFontNumber).u16(0xFFFF).u16(0).u16(256);
    header.u16(277).u8(1).u8(1).u16(120).u16(200).u16(200).u16(200).u16(1).u8(2).u8(0).u16(kTypeface);
    header.u16(0).u16(0).u16(0).u32(0).text("Letter Gothic").zeros(19).u16(0).u16(0).u16(0).u8(1).u8(1);
    header.u16(3).u16(3).u32(0x0001000A).u32(0x0001000A).u32(0x0001000A).zeros(8).u8(0xC2).u8(0xCD);
    header.u16(kFontNumber);
    EXPECT_EQ(readFile("BBM00004.HDR"), header.str());

    ASSERT_EQ(CreateFontResource("font.ldf", 4, kFontNumber), 1);
    // 257 entries: the glyphs start at 16 + 4 x 257 = 1044.
    Bytes resource;
    resource.u32(2128).u16(0x8000).u16(0).u8(0xC2).u8(0xCD).u16(kFontNumber).u16(257).u16(0);
    for (unsigned code = 0; code < 257; ++code) {
        const unsigned glyph = code == 65 ? 1044 : code == 66 ? 1068 : code == 256 ? 1088 : 0;
        resource.u32(glyph ? glyph - (16 + 4 * code) : 0);
    }
    // Code 65, orientation 0: left -32 + 120; escapement 240 x 2048 across.
    resource.u16(20).u16(2).u16(88).u16(0xFFC0).u32(240 * 2048).u32(0);
    resource.u16(0xFFFF).u16(0xF000).u16(0x8001).u16(0x0FF0);
    // Code 66, orientation 3: top 0 - 80, negated; escapement down; one word and one padding word.
    resource.u16(8).u16(1).u16(0).u16(80).u32(0).u32(static_cast<std::uint32_t>(-160 * 2048));
    resource.u16(0x1234).u16(0);
    // Code 256: one dot wide, 512 rows: both escapements of each of codes 0 to 255.
    resource.u16(1).u16(512).u16(0).u16(0).u32(0).u32(0);
    for (unsigned code = 0; code < 256; ++code)
        resource.u16(code == 65 ? 240 : code == 66 ? 160 : 0).u16(code == 65 ? 120 : code == 66 ? 80 : 0);
    EXPECT_EQ(readFile("BBM00004.RSC"), resource.str());
}

struct SfaCase {
    const char* what;
    std::string commands;
    const char* pitch;
    const char* height;
    const char* spacing;
    const char* symbolSet;
};

class LdfcSfa : public ::testing::TestWithParam<SfaCase> {};

TEST_P(LdfcSfa, SetsTheValuesItHolds)
{
    const SfaCase& c = GetParam();
    TempCwd cwd;
    writeFile("font", "!R!" + c.commands + "LDFC 1, 65, 0, 0, 0, 0, 0, 0;;EXIT;");
    ASSERT_EQ(MakeSFA("font", 0, "F", 1, 2), 1);
    const std::string text = readFile("FNT00000.SFA");
    EXPECT_NE(text.find(ldfcDescriptionLine("symbolset", c.symbolSet)), std::string::npos);
    EXPECT_NE(text.find(ldfcDescriptionLine("spacing", c.spacing) + ldfcDescriptionLine("pitch", c.pitch) +
                        ldfcDescriptionLine("height", c.height)),
              std::string::npos)
        << text;
}

INSTANTIATE_TEST_SUITE_P(Forms, LdfcSfa,
                         ::testing::Values(
                             // Inches by default: 0.1 inch is 30 dots, 120 after the factor 4.
                             SfaCase{"ThreeValuesInInches", "SFA 0.1, 0.5, F;", "120", "600", "0", "21"},
                             SfaCase{"Millimetres", "UNIT C; SFA 2.54, 4.233, P;", "120", "199", "1", "21"},
                             SfaCase{"Points", "UNIT P; SFA 7.2, 12, P, 0, 10, 0, U, 0, 0;", "119", "199",
                                     "1", "10"},
                             SfaCase{"DotsWithExponent", "UNIT D; SFA 3E1, +5e1, P, 0, 277, 0, U, 0, 0, 0;",
                                     "120", "200", "1", "277"}),
                         [](const auto& param) { return std::string(param.param.what); });

} // namespace
