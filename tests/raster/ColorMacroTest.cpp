// The colour macro: RGB rows from 16- and 256-colour BMPs, and each refused file with its message.
#include "BmpBuilder.h"
#include "FileSizeLimit.h"
#include "MacroCall.h"
#include "RecordingHost.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrl::test {
namespace {

constexpr const char* kDefaultHeader =
    "!R!MCRO LOGO;SCG;SCF;SCU;SCP;SCCS;SRO1;UNIT C;cid 0,3,8,8,8,8;cpal C,2;spal 2;cid 0,3,8,8,8,8;RVCL 0;";
constexpr const char* kTrailer = "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;EXIT;";

// Three bytes red, green, blue.
std::string rgb(std::uint32_t colour)
{
    return {static_cast<char>(colour >> 16), static_cast<char>(colour >> 8), static_cast<char>(colour)};
}

std::vector<std::uint32_t> sixteenColours()
{
    std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x102030};
    palette.resize(16, 0x808080);
    return palette;
}

class ColorMacro : public ::testing::Test {
protected:
    ColorMacro()
    {
        args.sourcePath = dir.file("image.bmp");
        args.outputPath = dir.file("image.mcr");
    }

    TempDirectory dir;
    MacroArgs args;
    RecordingHost host;
};

TEST_F(ColorMacro, SixteenColoursOddWidthBottomUp)
{
    // 3 pixels of 4 bits: the high nibble first, the row's padding skipped; the top row comes first.
    writeFile(args.sourcePath, encodeBmp({3, 2, 4, sixteenColours(), {1, 2, 3, 4, 0, 1}}));

    ASSERT_EQ(callCreateColorMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath),
              kDefaultHeader + ("9," + rgb(0xFF0000) + rgb(0x00FF00) + rgb(0x0000FF)) +
                  (";9," + rgb(0x102030) + rgb(0x000000) + rgb(0xFF0000)) + ";" + kTrailer);
    EXPECT_TRUE(host.boxes().empty());
}

TEST_F(ColorMacro, ShortPaletteTopDownWithEveryOption)
{
    // Three colours stored, as the colours-used count says; the pixels follow at once.
    BmpImage image{2, -2, 8, {0xABCDEF, 0x123456, 0xFFFFFF}, {0, 1, 2, 0}};
    image.colorsUsed = 3;
    writeFile(args.sourcePath, encodeBmp(image));
    args.orientation = 1;
    args.resolution = "300";
    args.unit = "Inches";
    args.positionX = "1";
    args.positionY = "2";

    ASSERT_EQ(callCreateColorMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath),
              "!R!MCRO LOGO;SPO P;SCG;SCF;SCU;SCP;SCCS;SRO1;STR 300;UNIT I;MZP 1,2;"
              "cid 0,3,8,8,8,8;cpal C,2;spal 2;cid 0,3,8,8,8,8;RVCL 0;" +
                  ("6," + rgb(0xABCDEF) + rgb(0x123456)) + (";6," + rgb(0xFFFFFF) + rgb(0xABCDEF)) + ";" +
                  kTrailer);
}

struct RefusedCase {
    const char* name;
    std::string bytes;
    const char* errorText;
};

const std::string kGoodBmp = encodeBmp({3, 2, 4, sixteenColours(), {1, 2, 3, 4, 0, 1}});

std::string withU32(std::string bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

BmpImage withCompression(BmpImage image, std::uint32_t compression)
{
    image.compression = compression;
    return image;
}

const RefusedCase kRefusedCases[] = {
    {"FileHeaderShort", kGoodBmp.substr(0, 10), "Failure at Bmp Info Header"},
    {"WrongSignature", "BA" + kGoodBmp.substr(2), "Not a recognized BMP file format."},
    {"ReservedWordSet", withU32(kGoodBmp, 6, 1), "Not a recognized BMP file format."},
    {"InfoHeaderShort", kGoodBmp.substr(0, 14 + 20), "Failure at Bmp Info Header"},
    {"Version4Header", encodeBmp({3, 2, 4, sixteenColours(), {1, 2, 3, 4, 0, 1}, 108}),
     "Not a recognized BMP file format."},
    {"RunLengthCoded", encodeBmp(withCompression({3, 2, 8, greyPalette(256), {1, 2, 3, 4, 0, 1}}, 1)),
     "Not a recognized BMP file format."},
    {"ZeroWidth", withU32(kGoodBmp, 18, 0), "Not a recognized BMP file format."},
    {"PaletteShort", kGoodBmp.substr(0, 54 + 30), "bmi colors could not be read."},
    {"PixelOffsetPastEnd", withU32(kGoodBmp, 10, 100000), "offbits could not be read."},
    {"LastRowShort", kGoodBmp.substr(0, kGoodBmp.size() - 1), "image bits could not be read."},
    {"OutsizedImage", withU32(withU32(kGoodBmp, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF),
     "image bits could not be read."},
    {"TwoColours", encodeBmp({16, 1, 1, {0x000000, 0xFFFFFF}, std::vector<std::uint32_t>(16, 1)}),
     "The number of colors should be 16 or 256."},
    {"TrueColour", encodeBmp({2, 1, 24, {}, {0xFFFFFF, 0}}), "The number of colors should be 16 or 256."},
};

class ColorMacroRefused : public ColorMacro, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ColorMacroRefused, ShowsItsFileMessageAndKeepsTheMacroFile)
{
    writeFile(args.sourcePath, GetParam().bytes);
    writeFile(args.outputPath, "earlier macro");

    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, RecordingHost::fileMessage(args.sourcePath, GetParam().errorText));
    EXPECT_EQ(host.boxes()[0].caption, "Quorlyn");
    // The image is read before the macro file is touched.
    EXPECT_EQ(readFile(args.outputPath), "earlier macro");
}

INSTANTIATE_TEST_SUITE_P(Files, ColorMacroRefused, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ColorMacro, MissingSourceCannotBeOpened)
{
    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text,
              RecordingHost::fileMessage(args.sourcePath, "The file can not be opened."));
}

TEST_F(ColorMacro, UncreatableMacroFileShowsTheTextAloneUnderItsPath)
{
    writeFile(args.sourcePath, kGoodBmp);
    args.outputPath = dir.file("no such folder/image.mcr");

    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, "Error creating file");
    EXPECT_EQ(host.boxes()[0].caption, args.outputPath);
}

TEST_F(ColorMacro, FailedWriteNamesTheMacroFileAndLeavesNothing)
{
    std::vector<std::uint32_t> pixels(64 * 64);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = i % 256;
    writeFile(args.sourcePath, encodeBmp({64, 64, 8, greyPalette(256), pixels}));

    int result = -1;
    {
        const FileSizeLimit limit(1000);
        result = callCreateColorMacro(args, host.host());
    }
    EXPECT_EQ(result, 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, RecordingHost::fileMessage(args.outputPath, "Error writing to file."));
    EXPECT_FALSE(std::filesystem::exists(args.outputPath));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

} // namespace
} // namespace qrl::test
