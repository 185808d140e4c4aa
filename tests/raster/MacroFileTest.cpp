// The macro file on every road: never the image itself, written whole or not at all over an
// earlier file, through a link, and into a device in place.
#include "BmpBuilder.h"
#include "FileSizeLimit.h"
#include "MacroCall.h"
#include "RecordingHost.h"
#include "SmallTmpfs.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrl::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kIsTheImage =
    "The macro file is the image file itself: writing the macro would destroy "
    "the image.\nPlease choose another name for the macro file.";

std::vector<std::uint32_t> stripes(std::size_t count, std::uint32_t modulo)
{
    std::vector<std::uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = static_cast<std::uint32_t>(i * 7 % modulo);
    return pixels;
}

struct Road {
    const char* name;
    int (*call)(const MacroArgs&, const PelmoraHost*);
    int imageType;
    const char* imageName;
    // An image whose macro is larger than the small disk and the size limit below.
    std::string image;
};

const Road kRoads[] = {
    {"Monochrome", callCreateMacro, 1, "image.bmp",
     encodeBmp({2048, 1024, 1, {0, 0xFFFFFF}, stripes(2048 * 1024, 2)})},
    {"ColourBmp", callCreateColorMacro, 1, "image.bmp",
     encodeBmp({320, 320, 8, greyPalette(256), stripes(320 * 320, 256)})},
    {"Jpeg", callCreateColorMacro, 2, "image.jpg", "\xFF\xD8\xFF\xE0" + std::string(300 * 1024, 'J')},
    {"Tiff", callCreateColorMacro, 3, "image.tif", std::string("II*\0", 4) + std::string(300 * 1024, 'T')},
};

void PrintTo(const Road& road, std::ostream* out)
{
    *out << road.name;
}

class MacroFile : public ::testing::TestWithParam<Road> {
protected:
    MacroFile()
    {
        args.imageType = GetParam().imageType;
        args.sourcePath = dir.file(GetParam().imageName);
        args.outputPath = dir.file("macro.mcr");
        writeFile(args.sourcePath, GetParam().image);
    }
    int run() { return GetParam().call(args, host.host()); }

    TempDirectory dir;
    MacroArgs args;
    RecordingHost host;
};

TEST_P(MacroFile, ThatIsTheImageIsRefusedAndTheImageKept)
{
    fs::create_directory(dir.file("sub"));
    fs::create_symlink(args.sourcePath, dir.file("link.mcr"));
    fs::create_hard_link(args.sourcePath, dir.file("second name"));
    const std::string spellings[] = {
        args.sourcePath,
        dir.file("link.mcr"),
        dir.file("sub/../") + GetParam().imageName,
        dir.file("second name"),
    };
    for (const std::string& output : spellings) {
        SCOPED_TRACE(output);
        RecordingHost recording;
        args.outputPath = output;
        EXPECT_EQ(GetParam().call(args, recording.host()), 0);
        EXPECT_EQ(readFile(args.sourcePath), GetParam().image);
        ASSERT_EQ(recording.boxes().size(), 1u);
        EXPECT_EQ(recording.boxes()[0].text, RecordingHost::fileMessage(output, kIsTheImage));
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("link.mcr")));
    EXPECT_EQ(entriesIn(dir.path()), 4u); // the image, its link, its second name, the folder
}

TEST_P(MacroFile, FailingWriteKeepsTheEarlierFile)
{
    writeFile(args.outputPath, "earlier macro");
    int result = -1;
    {
        const FileSizeLimit limit(200 * 1024);
        result = run();
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(args.outputPath), "earlier macro");
    EXPECT_EQ(readFile(args.sourcePath), GetParam().image);
    EXPECT_EQ(entriesIn(dir.path()), 2u);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, RecordingHost::fileMessage(args.outputPath, "Error writing to file."));
}

TEST_P(MacroFile, OnAFullDiskKeepsTheEarlierFile)
{
    const SmallTmpfs disk;
    if (!disk.available())
        GTEST_SKIP() << disk.reason();
    args.outputPath = disk.file("macro.mcr");
    writeFile(args.outputPath, "earlier macro");

    EXPECT_EQ(run(), 0);
    EXPECT_EQ(readFile(args.outputPath), "earlier macro");
    EXPECT_EQ(entriesIn(disk.path()), 1u);
    EXPECT_EQ(host.boxes().size(), 1u);
}

TEST_P(MacroFile, IsWrittenThroughALinkWithItsPermissionsAndIntoADeviceInPlace)
{
    writeFile(dir.file("target.mcr"), "earlier macro");
    fs::permissions(dir.file("target.mcr"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("target.mcr", args.outputPath);

    ASSERT_EQ(run(), 1);
    EXPECT_TRUE(fs::is_symlink(args.outputPath));
    const std::string macro = readFile(dir.file("target.mcr"));
    EXPECT_EQ(macro.substr(0, 12), "!R!MCRO LOGO");
    EXPECT_EQ(fs::status(dir.file("target.mcr")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesIn(dir.path()), 3u);

    args.outputPath = "/dev/null";
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(host.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Roads, MacroFile, ::testing::ValuesIn(kRoads),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace qrl::test
