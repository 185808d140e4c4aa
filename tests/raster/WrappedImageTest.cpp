// JPEG and TIFF files wrapped in a macro: the commands around the bytes, the bytes unchanged, and
// the failures with their messages.
#include "FileSizeLimit.h"
#include "MacroCall.h"
#include "RecordingHost.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrl::test {
namespace {

constexpr const char* kTrailer = ";ENDG;ENDM;EXIT,E;";

// Bytes that look like the start of a JPEG file, with a NUL and line ends inside.
const std::string kFakeJpeg = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\r\n\x1A", 15) + "\xFF\xD9";

class WrappedImage : public ::testing::Test {
protected:
    WrappedImage()
    {
        args.sourcePath = dir.file("image.tif");
        args.outputPath = dir.file("image.mcr");
        args.imageType = 3;
    }

    TempDirectory dir;
    MacroArgs args;
    RecordingHost host;
};

struct HeaderCase {
    const char* name;
    int imageType;
    const char* width;
    const char* height;
    const char* resolution;
    int orientation;
    const char* positionX;
    const char* positionY;
    const char* header;
};

const HeaderCase kHeaderCases[] = {
    // Sized by the caller: the macro declares its parameters.
    {"JpegSizedByCaller", 2, "%1", "%2", "Default", 0, "", "", "!R!MCRO LOGO %;GRRD J,%1,%2;"},
    {"TiffWithEveryOption", 3, "10", "5", "300", 2, "1", "",
     "!R!MCRO LOGO;STR 300;SPO L;UNIT C;MZP 1,0;GRRD T,10,5;"},
    {"JpegPortraitFixedSize", 2, "4", "3", "default", 1, "", "",
     "!R!MCRO LOGO;STR default;SPO P;GRRD J,4,3;"},
};

class WrappedImageHeader : public WrappedImage, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(WrappedImageHeader, WrapsTheBytesUnchanged)
{
    const HeaderCase& c = GetParam();
    args.imageType = c.imageType;
    args.width = c.width;
    args.height = c.height;
    args.resolution = c.resolution;
    args.orientation = c.orientation;
    args.positionX = c.positionX;
    args.positionY = c.positionY;
    writeFile(args.sourcePath, kFakeJpeg);

    ASSERT_EQ(callCreateColorMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath), c.header + kFakeJpeg + kTrailer);
    EXPECT_TRUE(host.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Options, WrappedImageHeader, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(WrappedImage, CopiesAFileOfManyBlocks)
{
    std::string data(300 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 7919) >> 3);
    writeFile(args.sourcePath, data);

    ASSERT_EQ(callCreateColorMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath), "!R!MCRO LOGO %;GRRD T,%1,%2;" + data + kTrailer);
}

TEST_F(WrappedImage, UnreadableSourceCannotBeOpened)
{
    // A missing file, and a folder: a folder opens but gives no bytes, which must not loop.
    for (const std::string& source : {dir.file("missing.tif"), dir.path()}) {
        SCOPED_TRACE(source);
        RecordingHost recording;
        args.sourcePath = source;
        EXPECT_EQ(callCreateColorMacro(args, recording.host()), 0);
        ASSERT_EQ(recording.boxes().size(), 1u);
        EXPECT_EQ(recording.boxes()[0].text,
                  RecordingHost::fileMessage(source, "The file can not be opened."));
        EXPECT_EQ(recording.boxes()[0].caption, "Quorlyn");
        EXPECT_FALSE(std::filesystem::exists(args.outputPath));
    }
}

TEST_F(WrappedImage, UncreatableMacroFileShowsTheTextAloneUnderItsPath)
{
    writeFile(args.sourcePath, kFakeJpeg);
    args.outputPath = dir.file("no such folder/image.mcr");

    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, "Error creating file");
    EXPECT_EQ(host.boxes()[0].caption, args.outputPath);
}

TEST_F(WrappedImage, AFolderInTheMacroFilesPlaceIsKept)
{
    writeFile(args.sourcePath, kFakeJpeg);
    std::filesystem::create_directory(args.outputPath);

    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(args.outputPath));
    EXPECT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST_F(WrappedImage, FailedWriteNamesTheMacroFileAndLeavesNothing)
{
    writeFile(args.sourcePath, std::string(200 * 1024, 'T'));

    int result = -1;
    {
        const FileSizeLimit limit(100 * 1024);
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
