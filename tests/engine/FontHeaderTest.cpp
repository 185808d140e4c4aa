// MakeFontHeader over descriptions written by hand: how each line and the name reach the header.
#include "vintrel.h"

#include "FontFixtures.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qrl::test;

struct HeaderCase {
    const char* what;
    std::string description;
    const char* name;
    std::size_t size;   // of the header
    std::size_t offset; // of the bytes checked
    std::string bytes;
};

class FontHeaderField : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FontHeaderField, ComesFromTheDescription)
{
    const HeaderCase& c = GetParam();
    TempCwd cwd;
    writeFile("FNT00007.SFA", c.description);
    ASSERT_EQ(MakeFontHeader(7, c.name, 0x0102), 1);
    const std::string header = readFile("BBM00007.HDR");
    ASSERT_EQ(header.size(), c.size);
    EXPECT_EQ(header.substr(c.offset, c.bytes.size()), c.bytes);
}

const std::string kFortyCharacters(40, 'N');

INSTANTIATE_TEST_SUITE_P(
    Descriptions, FontHeaderField,
    ::testing::Values(
        HeaderCase{"TypeThreeHasTheScalableTail", "type 3\n", "F", 132, 88, Bytes().u16(6).u16(4)},
        HeaderCase{"SerifFaceAndBoldStroke", "type 3\nserifstyle 8\nstrokeweight 2\n", "F", 132, 104,
                   Bytes().u32(0x01000003)},
        HeaderCase{"LdfcFontEndsAtCode256", "\nlastcode 12\nldfcfont 1\n", "F", 116, 18, Bytes().u16(256)},
        HeaderCase{"LastCodeOtherwise", "lastcode 12\nldfcfont 0\n", "F", 116, 18, Bytes().u16(12)},
        HeaderCase{"ValueThatIsNoNumber", "pitch 12\npitch abc\n", "F", 116, 24, Bytes().u16(0)},
        HeaderCase{"ValuesCutToTheirFields", "symbolset 70000\nstrokeweight -1\n", "F", 116, 20,
                   Bytes().u16(70000 & 0xFFFF)},
        HeaderCase{"ReadLikeNumbersInText", "height   +12abc\r\nvmi -3\n", "F", 116, 26,
                   Bytes().u16(12).u16(0).u16(0xFFFD)},
        HeaderCase{"OnlyTheFirst79CharactersOfALine", "height" + std::string(73, ' ') + "12\ncapheight 5\n",
                   "F", 116, 26, Bytes().u16(0).u16(5)},
        HeaderCase{"UnknownAndIgnoredKeys", "altfontnumber 7\nfontnumber 9\nnamelength 40\ntypefaces 3\n",
                   "Ab", 116, 11, Bytes().u8(2)},
        HeaderCase{
            "LongNameIsCut", "fontname Other\n", kFortyCharacters.c_str(), 116, 11,
            Bytes().u8(40).u16(0x0102).u16(0xFFFF).zeros(32).text(kFortyCharacters.substr(0, 31)).u8(0)},
        HeaderCase{"EmptyNameComesFromTheDescription", "fontname   Univers Bold\n", "", 116, 48,
                   Bytes().text("Univers").u8(0)},
        HeaderCase{"MissingNameComesFromTheDescription", "fontname Univers\n", nullptr, 116, 11,
                   Bytes().u8(7)},
        HeaderCase{"NameGivenWinsOverTheDescription", "fontname Univers\n", "Times", 116, 48,
                   Bytes().text("Times").u8(0)}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(FontHeader, NothingOfAnEarlierDescriptionCarriesOver)
{
    TempCwd cwd;
    writeFile("FNT00000.SFA", "type 3\nresolutionx 600\nresolutiony 600\nlastcode 90\n");
    writeFile("FNT00001.SFA", "type 2\n");
    ASSERT_EQ(MakeFontHeader(0, "F", 1), 1);
    ASSERT_EQ(MakeFontHeader(1, "F", 1), 1);
    const std::string header = readFile("BBM00001.HDR");
    ASSERT_EQ(header.size(), 116u);
    EXPECT_EQ(header.substr(18, 2), std::string(2, '\0'));
    EXPECT_EQ(header.substr(80, 4), std::string(4, '\0'));
}

} // namespace
