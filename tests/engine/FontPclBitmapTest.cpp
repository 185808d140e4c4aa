// PCL bitmap soft fonts: description, header and glyph resource of fonts built here, checked byte
// for byte against the layouts, and the raster forms a character may take.
#include "vintrel.h"

#include "ByteOrder.h"
#include "FontFixtures.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qrl::test;

constexpr std::uint32_t kFontNumber = 1001;
constexpr std::uint32_t kTypeface = 4099;

TEST(PclBitmapFont, DescriptionHeaderAndGlyphsFollowTheLayouts)
{
    TempCwd cwd;
    writeFile("font.sfp", pclBitmapTestFont());
    ASSERT_EQ(MakeSFA("font.sfp", 3, "Courier10", kFontNumber, kTypeface), 1);
    const std::string description =
        pclDescriptionLine("type", "2") + pclDescriptionLine("format", "0") +
        pclDescriptionLine("fonttype", "1") + pclDescriptionLine("namelength", "9") +
        pclDescriptionLine("firstcode", "65") + pclDescriptionLine("lastcode", "67") +
        pclDescriptionLine("symbolset", "277") + pclDescriptionLine("orientation", "0") +
        pclDescriptionLine("spacing", "1") + pclDescriptionLine("pitch", "120") +
        pclDescriptionLine("height", "200") + pclDescriptionLine("capheight", "150") +
        pclDescriptionLine("vmi", "200") + pclDescriptionLine("style", "4") +
        pclDescriptionLine("strokeweight", "-3") + pclDescriptionLine("serifstyle", "          8") +
        pclDescriptionLine("typeface", "4099") + pclDescriptionLine("scalefactor", "          0") +
        pclDescriptionLine("masterunderlineposition", "        -2") +
        pclDescriptionLine("masterunderlineheight", "          3") +
        pclDescriptionLine("strokewidth", "          0") + pclDescriptionLine("fontname", "Courier10") +
        pclDescriptionLine("rotation", "0") + pclDescriptionLine("ldfcfont", "0") + "\n";
    EXPECT_EQ(readFile("FNT00003.SFA"), description);

    ASSERT_EQ(MakeFontHeader(3, "Courier10", kFontNumber), 1);
    Bytes header;
    header.u32(116).u16(0).u16(0).u8(2).u8(0).u8(1).u8(9).u16(kFontNumber).u16(0xFFFF).u16(0).u16(67);
    header.u16(277).u8(0).u8(1).u16(120).u16(200).u16(150).u16(200).u16(4).u8(0xFD).u8(8).u16(kTypeface);
    header.u16(0).u16(0xFFFE).u16(3).u32(0).text("Courier10").zeros(23).u16(0).u16(0).u16(0).u8(0).u8(0);
    header.u16(3).u16(3).u32(0x0001000A).u32(0x0001000A).u32(0x0001000A).zeros(8).u8(0xC2).u8(0xCD);
    header.u16(kFontNumber);
    EXPECT_EQ(readFile("BBM00003.HDR"), header.str());

    ASSERT_EQ(CreateFontResource("font.sfp", 3, kFontNumber), 1);
    // 68 entries for codes 0 to 67; the glyphs start at 16 + 4 x 68 = 288.
    Bytes resource;
    resource.u32(336).u16(0x8000).u16(0).u8(0xC2).u8(0xCD).u16(kFontNumber).u16(68).u16(0);
    for (unsigned code = 0; code < 68; ++code)
        resource.u32(code == 65 ? 288 - (16 + 4 * 65) : code == 67 ? 312 - (16 + 4 * 67) : 0);
    // Code 65: offsets x 32 (top negated), escapement 48 x 8 x 2048 across, three words and one
    // padding word: 24 bytes.
    resource.u16(10).u16(3).u16(0xFFE0).u16(0xFD80).u32(48 * 8 * 2048).u32(0);
    resource.u16(0xFFC0).u16(0x8040).u16(0xFFC0).u16(0);
    // Code 67: orientation 1 becomes code 3, which advances down; rows 2, 8, 2 and 0, 12 twice each.
    resource.u16(12).u16(4).u16(64).u16(0xFEC0).u32(0).u32(static_cast<std::uint32_t>(-56 * 8 * 2048));
    resource.u16(0x3FC0).u16(0x3FC0).u16(0xFFF0).u16(0xFFF0);
    EXPECT_EQ(readFile("BBM00003.RSC"), resource.str());
}

TEST(PclBitmapFont, FormatTwentyDescribesAndStoresItsResolution)
{
    TempCwd cwd;
    PclFontFields fields;
    fields.format = 20;
    fields.size = 68;
    fields.scaleFactor = 300; // resolution x
    fields.resolutionY = 600;
    writeFile("font.sfp", pclBitmapTestFont(fields));
    ASSERT_EQ(MakeSFA("font.sfp", 0, "R", kFontNumber, kTypeface), 1);
    const std::string text = readFile("FNT00000.SFA");
    EXPECT_NE(text.find(pclDescriptionLine("fontname", "R") + pclDescriptionLine("resolutionx", "300") +
                        pclDescriptionLine("resolutiony", "600") + pclDescriptionLine("rotation", "0")),
              std::string::npos);
    ASSERT_EQ(MakeFontHeader(0, "R", kFontNumber), 1);
    EXPECT_EQ(readFile("BBM00000.HDR").substr(80, 4), std::string("\x01\x2C\x02\x58", 4));
    EXPECT_EQ(CreateFontResource("font.sfp", 0, kFontNumber), 1);
}

TEST(PclBitmapFont, DataOfACommandIsNeverReadAsCommands)
{
    TempCwd cwd;
    // A raster that happens to spell a code outside the table, and a header whose bytes beyond
    // the descriptor do the same.
    const std::string spelled = pclCode(300);
    std::string descriptor = pclDescriptor({}) + spelled;
    descriptor[1] = static_cast<char>(descriptor.size());
    writeFile("font.sfp", pclFontHeader(descriptor) + pclCode(65) +
                              pclDownload(pclBitmapCharacter(
                                  1, 0, 0, 0, 8 * static_cast<unsigned>(spelled.size()), 1, 10, spelled)));
    DebugLines debug;
    ASSERT_EQ(MakeSFA("font.sfp", 0, "F", kFontNumber, kTypeface), 1);
    EXPECT_NE(readFile("FNT00000.SFA").find(pclDescriptionLine("lastcode", "65")), std::string::npos);
    ASSERT_EQ(CreateFontResource("font.sfp", 0, kFontNumber), 1);
    EXPECT_EQ(readFile("BBM00000.RSC").substr(12, 2), std::string("\x00\x42", 2)); // 66 entries
    EXPECT_TRUE(debug.lines().empty());
}

TEST(PclBitmapFont, TheFirstFontHeaderDescribesTheFont)
{
    TempCwd cwd;
    PclFontFields second;
    second.pitch = 99;
    writeFile("font.sfp", pclBitmapTestFont() + pclFontHeader(pclDescriptor(second)));
    ASSERT_EQ(MakeSFA("font.sfp", 0, "F", kFontNumber, kTypeface), 1);
    const std::string text = readFile("FNT00000.SFA");
    EXPECT_NE(text.find(pclDescriptionLine("pitch", "120")), std::string::npos);
    EXPECT_EQ(text.find("pitch", text.find("pitch") + 1), std::string::npos);
}

struct RasterCase {
    const char* what;
    unsigned rasterClass;
    unsigned width;
    unsigned height;
    std::string raster;
    bool present;      // false: the character is passed over
    std::string words; // the glyph's raster words
};

class PclBitmapRaster : public ::testing::TestWithParam<RasterCase> {};

TEST_P(PclBitmapRaster, BecomesWordsOrIsPassedOver)
{
    const RasterCase& c = GetParam();
    TempCwd cwd;
    // Code 70 stands beside the character under test, so that a resource is written either way.
    writeFile("font.sfp",
              pclFontHeader(pclDescriptor({})) + pclCode(66) +
                  pclDownload(pclBitmapCharacter(c.rasterClass, 0, 0, 0, c.width, c.height, 0, c.raster)) +
                  pclCode(70) + pclDownload(pclBitmapCharacter(1, 0, 0, 0, 8, 1, 0, "\x81")));
    ASSERT_EQ(CreateFontResource("font.sfp", 0, kFontNumber), 1);
    const std::string resource = readFile("BBM00000.RSC");
    const std::size_t entry = 16 + 4 * 66;
    const std::uint32_t offset =
        qrl::bytes::getU32BE(reinterpret_cast<const unsigned char*>(resource.data()) + entry);
    ASSERT_EQ(offset != 0, c.present);
    if (c.present) {
        EXPECT_EQ(resource.substr(entry + offset, 4), Bytes().u16(c.width).u16(c.height).str());
        EXPECT_EQ(resource.substr(entry + offset + 16, c.words.size()), c.words);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rasters, PclBitmapRaster,
    ::testing::Values(
        RasterCase{"Uncompressed17Dots", 1, 17, 2, std::string("\xFF\xFF\x80\x00\x01\x00", 6), true,
                   std::string("\xFF\xFF\x80\x00\x00\x01\x00\x00", 8)},
        RasterCase{"UncompressedShort", 1, 17, 2, std::string("\xFF\xFF\x80\x00\x01", 5), false, ""},
        RasterCase{"UncompressedOneByteTooLong", 1, 8, 1, std::string("\xFF\x0F", 2), false, ""},
        RasterCase{"CompressedRepeatedRow", 2, 20, 3, std::string("\x02\x00\x14", 3), true,
                   std::string("\xFF\xFF\xF0\x00\xFF\xFF\xF0\x00\xFF\xFF\xF0\x00", 12)},
        RasterCase{"CompressedRunPastTheWidth", 2, 8, 1, std::string("\x00\x04\x05", 3), false, ""},
        RasterCase{"CompressedRowsBeyondTheHeight", 2, 8, 1, std::string("\x01\x08", 2), false, ""},
        RasterCase{"CompressedRowCut", 2, 8, 1, std::string("\x00\x04", 2), false, ""},
        RasterCase{"UnknownRasterClass", 3, 8, 1, std::string("\xFF", 1), false, ""},
        RasterCase{"EmptyGlyph", 1, 0, 0, "", true, ""}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(PclBitmapFont, ContinuationBlocksCompleteTheirCharacter)
{
    TempCwd cwd;
    const std::string raster("\xF0\x0F\xAA\x55", 4);
    writeFile("whole.sfp", pclFontHeader(pclDescriptor({})) + pclCode(65) +
                               pclDownload(pclBitmapCharacter(1, 0, 0, 0, 16, 2, 20, raster)));
    writeFile("split.sfp", pclFontHeader(pclDescriptor({})) + pclCode(65) +
                               pclDownload(pclBitmapCharacter(1, 0, 0, 0, 16, 2, 20, raster.substr(0, 1))) +
                               pclDownload(std::string("\x04\x01", 2) + raster.substr(1)));
    ASSERT_EQ(CreateFontResource("whole.sfp", 0, kFontNumber), 1);
    ASSERT_EQ(CreateFontResource("split.sfp", 1, kFontNumber), 1);
    EXPECT_EQ(readFile("BBM00001.RSC"), readFile("BBM00000.RSC"));
}

TEST(PclBitmapFont, NothingOfAnEarlierFontCarriesOver)
{
    TempCwd cwd;
    writeFile("first.sfp", pclBitmapTestFont());
    writeFile("second.sfp", pclFontHeader(pclDescriptor({})) + pclCode(66) +
                                pclDownload(pclBitmapCharacter(1, 0, 0, 0, 8, 1, 10, "\x18")));
    ASSERT_EQ(CreateFontResource("first.sfp", 0, kFontNumber), 1);
    ASSERT_EQ(CreateFontResource("second.sfp", 1, kFontNumber), 1);
    // Only code 66: 67 entries, then the one glyph of 16 + 2 + 2 bytes.
    const std::string resource = readFile("BBM00001.RSC");
    EXPECT_EQ(resource.size(), 16u + 4 * 67 + 20);
    EXPECT_EQ(resource.substr(16 + 4 * 65, 4), std::string(4, '\0'));
}

} // namespace
