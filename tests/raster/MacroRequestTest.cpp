// What both exports do with their arguments before any image is read, and how their messages
// depend on the host.
#include "BmpBuilder.h"
#include "MacroCall.h"
#include "RecordingHost.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qrl::test {
namespace {

class MacroRequest : public ::testing::Test {
protected:
    MacroRequest()
    {
        args.sourcePath = dir.file("image.bmp");
        args.outputPath = dir.file("image.mcr");
        writeFile(args.sourcePath,
                  encodeBmp({16, 1, 1, {0x000000, 0xFFFFFF}, std::vector<std::uint32_t>(16, 1)}));
    }

    TempDirectory dir;
    MacroArgs args;
    RecordingHost host;
};

TEST_F(MacroRequest, UnknownImageTypesTouchNothing)
{
    struct Case {
        int (*call)(const MacroArgs&, const PelmoraHost*);
        int imageType;
    };
    const Case cases[] = {{callCreateMacro, 0},      {callCreateMacro, 2},      {callCreateMacro, 3},
                          {callCreateMacro, 4},      {callCreateColorMacro, 0}, {callCreateColorMacro, 4},
                          {callCreateColorMacro, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.imageType);
        args.imageType = c.imageType;
        EXPECT_EQ(c.call(args, host.host()), 0);
        EXPECT_FALSE(std::filesystem::exists(args.outputPath));
    }
    EXPECT_TRUE(host.boxes().empty());
}

TEST_F(MacroRequest, SourcePathMustFitItsFieldWithTheTerminator)
{
    args.sourcePathSize = static_cast<int>(args.sourcePath.size());
    EXPECT_EQ(callCreateMacro(args, host.host()), 0);
    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    EXPECT_FALSE(std::filesystem::exists(args.outputPath));
    EXPECT_TRUE(host.boxes().empty());

    args.sourcePathSize = static_cast<int>(args.sourcePath.size()) + 1;
    EXPECT_EQ(callCreateMacro(args, host.host()), 1);
}

TEST_F(MacroRequest, TextsAreCutToTheirFields)
{
    args.macroName = "ABCDEFG";
    args.resolution = "1234567890123456789";
    args.unit = "";
    args.positionX = "0123456789abcdefXYZ";

    ASSERT_EQ(callCreateMacro(args, host.host()), 1);
    EXPECT_EQ(readFile(args.outputPath), "!R!MCRO ABCD;SCG;SCF;SCU;SCP;SCCS;SRO1;STR123456789012345;UNIT "
                                         ";MZP 0123456789abcde,0;RVRD;2;0;\r\n"
                                         "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;EXIT;");
}

TEST_F(MacroRequest, NullTextsAreEmpty)
{
    const std::string bmp = args.sourcePath;
    const std::string mcr = args.outputPath;
    ASSERT_EQ(CreateMacro(bmp.c_str(), mcr.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, 0, 1, 260, nullptr, 0, nullptr, 0, 0, 0),
              1);
    EXPECT_EQ(readFile(mcr), "!R!MCRO ;SCG;SCF;SCU;SCP;SCCS;SRO1;STR;UNIT ;RVRD;2;0;\r\n"
                             "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;EXIT;");
    EXPECT_EQ(CreateMacro(nullptr, mcr.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          0, 1, 260, nullptr, 0, nullptr, 0, 0, 0),
              0);
    EXPECT_EQ(CreateColorMacro(bmp.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, 0, 1, 260, nullptr, 0, nullptr, 0, 0, 0),
              0);
}

TEST_F(MacroRequest, MessagesNeedAHostAndEveryText)
{
    args.sourcePath = dir.file("missing.bmp");
    EXPECT_EQ(callCreateColorMacro(args, nullptr), 0);

    const PelmoraHost silent{nullptr, nullptr, nullptr};
    EXPECT_EQ(callCreateColorMacro(args, &silent), 0);

    for (const unsigned id : {2400u, 2401u, 2431u}) {
        RecordingHost partial;
        partial.setText(id, nullptr);
        EXPECT_EQ(callCreateColorMacro(args, partial.host()), 0);
        EXPECT_TRUE(partial.boxes().empty()) << id;
    }
}

TEST_F(MacroRequest, LoadedFormatFillsOnlyItsTextConversions)
{
    // A translated format with other conversions, or more than three, reads no missing argument.
    host.setText(2400, "%s|%d|%s|%s|%s|100%%");
    args.sourcePath = dir.file("missing.bmp");

    EXPECT_EQ(callCreateColorMacro(args, host.host()), 0);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text,
              args.sourcePath +
                  "|%d|The file can not be opened.|The file will not be inserted in Project.||100%");
}

} // namespace
} // namespace qrl::test
