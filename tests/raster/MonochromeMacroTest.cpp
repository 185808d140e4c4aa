// The monochrome macro: how BMP pixels become raster rows, the commands around them, and the
// files that are refused.
#include "BmpBuilder.h"
#include "FileSizeLimit.h"
#include "MacroCall.h"
#include "RecordingHost.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrl::test {
namespace {

constexpr const char* kDefaultHeader = "!R!MCRO LOGO;SCG;SCF;SCU;SCP;SCCS;SRO1;UNIT C;RVRD;";
constexpr const char* kTrailer = "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;EXIT;";
const std::vector<std::uint32_t> kBlackWhite = {0x000000, 0xFFFFFF};

class MonochromeMacro : public ::testing::Test {
protected:
    MonochromeMacro()
    {
        args.sourcePath = dir.file("image.bmp");
        args.outputPath = dir.file("image.mcr");
    }

    TempDirectory dir;
    MacroArgs args;
    RecordingHost host;
};

struct RowCase {
    const char* name;
    BmpImage image;
    std::string rows; // the raster rows expected between the header and the trailer
};

class MonochromeRows : public MonochromeMacro, public ::testing::WithParamInterface<RowCase> {};

TEST_P(MonochromeRows, EncodesEveryRowFromTheTop)
{
    writeFile(args.sourcePath, encodeBmp(GetParam().image));

    ASSERT_EQ(callCreateMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath), kDefaultHeader + GetParam().rows + kTrailer);
    EXPECT_TRUE(host.boxes().empty());
}

std::vector<std::uint32_t> repeat(std::uint32_t value, std::size_t n)
{
    return std::vector<std::uint32_t>(n, value);
}

std::vector<std::uint32_t> concat(std::vector<std::uint32_t> a, const std::vector<std::uint32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The bottom row of 16 all black, the top row black only at its last pixel: the groups 00 01 and
// FF FF in the printer's polarity.
std::vector<std::uint32_t> lastDotThenBlackRow()
{
    return concat(concat(repeat(1, 15), {0}), repeat(0, 16));
}

const RowCase kRowCases[] = {
    {"AllWhite16Wide", {16, 2, 1, kBlackWhite, repeat(1, 32)}, "2;0;\r\n2;0;\r\n"},
    // 20 pixels: 3 bytes, 2 groups; the bits past the width and the filler byte stay clear.
    {"Width20FirstDotBlack", {20, 1, 1, kBlackWhite, concat({0}, repeat(1, 19))}, "3;`@00;\r\n"},
    {"EdgeGroupsBottomUp", {16, 2, 1, kBlackWhite, lastDotThenBlackRow()}, "2;@@1;\r\n2;\x7F\x7F?;\r\n"},
    {"EdgeGroupsTopDown", {16, -2, 1, kBlackWhite, lastDotThenBlackRow()}, "2;@@1;\r\n2;\x7F\x7F?;\r\n"},
    // The palette, not the stored bit, says which index is white.
    {"PaletteWhiteFirst", {16, 1, 1, {0xFFFFFF, 0x000000}, concat(repeat(0, 8), repeat(1, 8))}, "2;@O?;\r\n"},
    // 9 pixels of 16 colours: red is dark, yellow light; the ninth (black) dot keeps only its top bit.
    {"SixteenColoursWidth9",
     {9,
      1,
      4,
      concat({0x000000, 0xFFFFFF, 0xFF0000, 0xFFFF00}, repeat(0x808080, 12)),
      {1, 2, 3, 1, 1, 1, 1, 1, 0}},
     "2;PH0;\r\n"},
    // 7 pixels of 256 greys: light from grey 128 on; one byte plus the row's filler byte.
    {"GreysWidth7", {7, 1, 8, greyPalette(256), {0, 127, 128, 255, 200, 50, 255}}, "1;q@0;\r\n"},
    {"TrueColourByLuminance", {3, 1, 24, {}, {0xFFFFFF, 0x0000FF, 0x00FF00}}, "1;P@0;\r\n"},
    {"Version4Header", {16, 1, 1, kBlackWhite, repeat(0, 16), 108}, "2;\x7F\x7F?;\r\n"},
    {"Version5Header", {16, 1, 1, kBlackWhite, repeat(0, 16), 124}, "2;\x7F\x7F?;\r\n"},
    {"NoPixelOffset", {16, 1, 1, kBlackWhite, repeat(0, 16), 40, 0, 0, false}, "2;\x7F\x7F?;\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Images, MonochromeRows, ::testing::ValuesIn(kRowCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct HeaderCase {
    const char* name;
    int orientation;
    const char* resolution;
    const char* unit;
    const char* positionX;
    const char* positionY;
    const char* header;
};

const HeaderCase kHeaderCases[] = {
    {"Defaults", 0, "Default", "Centimeters", "", "", kDefaultHeader},
    {"PortraitXOnly", 1, "300", "Inches", "1.5", "",
     "!R!MCRO LOGO;SPO P;SCG;SCF;SCU;SCP;SCCS;SRO1;STR300;UNIT I;MZP 1.5,0;RVRD;"},
    // Only "Default" itself means no resolution.
    {"LandscapeYOnly", 2, "default", "Dots", "", "20",
     "!R!MCRO LOGO;SPO L;SCG;SCF;SCU;SCP;SCCS;SRO1;STRdefault;UNIT D;MZP 0,20;RVRD;"},
};

class MonochromeHeader : public MonochromeMacro, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(MonochromeHeader, WritesTheChosenCommands)
{
    const HeaderCase& c = GetParam();
    args.orientation = c.orientation;
    args.resolution = c.resolution;
    args.unit = c.unit;
    args.positionX = c.positionX;
    args.positionY = c.positionY;
    writeFile(args.sourcePath, encodeBmp({16, 1, 1, kBlackWhite, repeat(1, 16)}));

    ASSERT_EQ(callCreateMacro(args, nullptr), 1);
    EXPECT_EQ(readFile(args.outputPath), std::string(c.header) + "2;0;\r\n" + kTrailer);
}

INSTANTIATE_TEST_SUITE_P(Options, MonochromeHeader, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct RefusedCase {
    const char* name;
    std::string bytes;
};

std::string truncated(std::string bytes, std::size_t cut)
{
    bytes.resize(bytes.size() - cut);
    return bytes;
}

std::string withByte(std::string bytes, std::size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

const std::string kSmallBmp = encodeBmp({16, 2, 1, kBlackWhite, repeat(1, 32)});

const RefusedCase kRefusedCases[] = {
    {"Empty", ""},
    {"NotBmp", withByte(kSmallBmp, 0, 'X')},
    {"HeaderCut", kSmallBmp.substr(0, 30)},
    {"LastRowShort", truncated(kSmallBmp, 1)},
    {"PaletteLongerThanDepth", encodeBmp({16, 1, 1, kBlackWhite, repeat(1, 16), 40, 3})},
    {"RunLengthCoded", encodeBmp({16, 1, 8, greyPalette(256), repeat(1, 16), 40, 0, 1})},
    {"BitFieldsCoded", encodeBmp({16, 1, 16, {}, repeat(0xFFFFFF, 16), 40, 0, 3})},
    {"ZeroWidth", encodeBmp({0, 1, 1, kBlackWhite, {}})},
    {"OutsizedHeight", withByte(kSmallBmp, 25, '\x40')}, // 2 rows claimed as 0x40000002
    {"PixelOffsetPastEnd", withByte(kSmallBmp, 13, '\x7F')},
};

class MonochromeRefused : public MonochromeMacro, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(MonochromeRefused, AnswersZeroSilentlyAndWritesNothing)
{
    writeFile(args.sourcePath, GetParam().bytes);
    writeFile(args.outputPath, "earlier macro");

    EXPECT_EQ(callCreateMacro(args, host.host()), 0);
    EXPECT_TRUE(host.boxes().empty());
    // The image is read before the macro file is touched.
    EXPECT_EQ(readFile(args.outputPath), "earlier macro");
}

INSTANTIATE_TEST_SUITE_P(Files, MonochromeRefused, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Light and dark in turn: colours on either side of the middle grey, and ones that turn to the
// other side when two channels are swapped or the unused byte is taken for a channel.
const std::vector<std::uint32_t> kToneRow = {0xFFFFFF, 0x000000, 0x848484, 0x7B7B7B, 0xFF8000,
                                             0x0080FF, 0x00FF00, 0xFF00FF, 0x00FFFF, 0x0000FF};

class DirectColour : public MonochromeMacro, public ::testing::WithParamInterface<std::uint16_t> {};

TEST_P(DirectColour, GivesTheMacroOfTheTrueColourImage)
{
    // Two rows of 20 pixels, the second the first reversed, bottom-up and top-down.
    std::vector<std::uint32_t> top = concat(kToneRow, kToneRow);
    const std::vector<std::uint32_t> pixels = concat(top, {top.rbegin(), top.rend()});
    for (const std::int32_t height : {2, -2}) {
        SCOPED_TRACE(height);
        writeFile(args.sourcePath, encodeBmp({20, height, 24, {}, pixels}));
        ASSERT_EQ(callCreateMacro(args, host.host()), 1);
        const std::string trueColour = readFile(args.outputPath);
        EXPECT_EQ(trueColour, kDefaultHeader + std::string("3;UU5T@0;\r\n3;jj:h@0;\r\n") + kTrailer);

        writeFile(args.sourcePath, encodeBmp({20, height, GetParam(), {}, pixels}));
        ASSERT_EQ(callCreateMacro(args, host.host()), 1);
        EXPECT_EQ(readFile(args.outputPath), trueColour);
    }
    EXPECT_TRUE(host.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Depths, DirectColour, ::testing::Values(16, 32),
                         [](const auto& test) { return std::to_string(test.param) + "Bits"; });

TEST_F(MonochromeMacro, MissingSourceAnswersZero)
{
    args.sourcePath = dir.file("missing.bmp");
    EXPECT_EQ(callCreateMacro(args, host.host()), 0);
    EXPECT_TRUE(host.boxes().empty());
    EXPECT_FALSE(std::filesystem::exists(args.outputPath));
}

TEST_F(MonochromeMacro, ReplacesAnEarlierMacro)
{
    writeFile(args.sourcePath, kSmallBmp);
    writeFile(args.outputPath, std::string(5000, 'x'));

    ASSERT_EQ(callCreateMacro(args, nullptr), 1);
    EXPECT_EQ(readFile(args.outputPath), kDefaultHeader + std::string("2;0;\r\n2;0;\r\n") + kTrailer);
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST_F(MonochromeMacro, FailedWriteReportsAndLeavesNoFile)
{
    // 64 rows of 8 black groups each: far more than the limit below, the header less than it.
    writeFile(args.sourcePath, encodeBmp({128, 64, 1, kBlackWhite, repeat(0, 128 * 64)}));

    int result = -1;
    {
        const FileSizeLimit limit(300);
        result = callCreateMacro(args, host.host());
    }
    EXPECT_EQ(result, 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, RecordingHost::fileMessage(args.outputPath, "Error writing to file."));
    EXPECT_EQ(host.boxes()[0].caption, "Quorlyn");
    EXPECT_FALSE(std::filesystem::exists(args.outputPath));
    EXPECT_EQ(entriesIn(dir.path()), 1u); // the image alone
}

} // namespace
} // namespace qrl::test
