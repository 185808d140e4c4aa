// PCL scalable (EO) soft fonts, and the descriptor formats as the description and the header give
// them.
#include "vintrel.h"

#include "FontFixtures.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qrl::test;

constexpr std::uint32_t kFontNumber = 0x1234;
constexpr std::uint32_t kTypeface = 52;

TEST(PclScalableFont, DescriptionHeaderAndGlyphsFollowTheLayouts)
{
    TempCwd cwd;
    writeFile("font.sfs", pclScalableTestFont());
    ASSERT_EQ(MakeSFA("font.sfs", 12, "Dutch", kFontNumber, kTypeface), 1);
    const std::string description =
        pclDescriptionLine("type", "3") + pclDescriptionLine("format", "10") +
        pclDescriptionLine("fonttype", "2") + pclDescriptionLine("namelength", "5") +
        pclDescriptionLine("firstcode", "33") + pclDescriptionLine("lastcode", "300") +
        pclDescriptionLine("symbolset", "277") + pclDescriptionLine("orientation", "0") +
        pclDescriptionLine("spacing", "1") + pclDescriptionLine("pitch", "120") +
        pclDescriptionLine("height", "200") + pclDescriptionLine("capheight", "150") +
        pclDescriptionLine("vmi", "200") + pclDescriptionLine("style", "4") +
        pclDescriptionLine("strokeweight", "3") + pclDescriptionLine("serifstyle", "        130") +
        pclDescriptionLine("typeface", "52") + pclDescriptionLine("scalefactor", "       8782") +
        pclDescriptionLine("masterunderlineposition", "      -200") +
        pclDescriptionLine("masterunderlineheight", "        100") +
        pclDescriptionLine("strokewidth", "          0") + pclDescriptionLine("fontname", "Dutch") +
        pclDescriptionLine("rotation", "0") + pclDescriptionLine("ldfcfont", "0") + "\n";
    EXPECT_EQ(readFile("FNT00012.SFA"), description);

    ASSERT_EQ(MakeFontHeader(12, "Dutch", kFontNumber), 1);
    Bytes header;
    header.u32(132).u16(6).u16(0).u8(3).u8(10).u8(2).u8(5).u16(kFontNumber).u16(0xFFFF).u16(0).u16(300);
    header.u16(277).u8(0).u8(1).u16(120).u16(200).u16(150).u16(200).u16(4).u8(3).u8(130).u16(kTypeface);
    header.u16(8782).u16(0xFF38).u16(100).u32(0).text("Dutch").zeros(27).u16(0).u16(0).u16(0).u8(0).u8(0);
    // Serif style 130 is no serif face: the fourth entry holds only the bold bit.
    header.u16(6).u16(4).u32(0x00010016).u32(0x00010016).u32(0x00020016).u16(0x0100).u16(1);
    header.u32(0x01000004).u32(0x01000005).zeros(8).u8(0xC2).u8(0xCD).u16(kFontNumber).zeros(4);
    EXPECT_EQ(readFile("BBM00012.HDR"), header.str());

    ASSERT_EQ(CreateFontResource("font.sfs", 12, kFontNumber), 1);
    // 301 entries; glyphs from 16 + 4 x 301 = 1220: code 33 padded to 24 bytes, code 300 to 28.
    Bytes resource;
    resource.u32(1272).u16(0x800E).u16(0).u8(0xC2).u8(0xCD).u16(kFontNumber).u16(301).u16(0);
    for (unsigned code = 0; code < 301; ++code)
        resource.u32(code == 33 ? 1220 - (16 + 4 * 33) : code == 300 ? 1244 - (16 + 4 * 300) : 0);
    resource.text(kScalableCharacter33).zeros(2).text(kScalableCharacter300).text("LM").zeros(1);
    EXPECT_EQ(readFile("BBM00012.RSC"), resource.str());
}

struct FormatCase {
    unsigned format;
    std::size_t descriptorSize;
    const char* type;
    const char* formatValue;
    std::uint16_t formatWord;
    std::size_t headerSize;
};

class PclDescriptorFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PclDescriptorFormat, GivesTypeFormatAndHeaderSize)
{
    const FormatCase& c = GetParam();
    TempCwd cwd;
    PclFontFields fields;
    fields.format = c.format;
    fields.size = c.descriptorSize;
    writeFile("font", pclFontHeader(pclDescriptor(fields)) + pclCode(65));
    ASSERT_EQ(MakeSFA("font", 0, "F", 1, 2), 1);
    const std::string text = readFile("FNT00000.SFA");
    EXPECT_EQ(text.find(pclDescriptionLine("type", c.type) + pclDescriptionLine("format", c.formatValue)),
              0u);
    ASSERT_EQ(MakeFontHeader(0, "F", 1), 1);
    const std::string header = readFile("BBM00000.HDR");
    ASSERT_EQ(header.size(), c.headerSize);
    EXPECT_EQ(header.substr(0, 6),
              Bytes().u32(static_cast<std::uint32_t>(c.headerSize)).u16(c.formatWord).str());
}

INSTANTIATE_TEST_SUITE_P(Formats, PclDescriptorFormat,
                         ::testing::Values(FormatCase{0, 64, "2", "0", 0, 116},
                                           FormatCase{20, 68, "2", "0", 0, 116},
                                           FormatCase{10, 80, "3", "10", 6, 132},
                                           FormatCase{11, 80, "3", "3", 3, 132}),
                         [](const auto& param) { return "Format" + std::to_string(param.param.format); });

} // namespace
