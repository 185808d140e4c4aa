// The engine's own files in the working directory: a link planted at one of their names is
// replaced by the engine's file, never written through.
#include "vintrel.h"

#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::TempDirectory;
using qrl::test::TestBuild;
using qrl::test::writeFile;

struct Step {
    const char* what;
    std::vector<const char*> names; // where links are planted
    std::function<int(TestBuild&)> run;
};

int makeMacroResource(TestBuild&)
{
    writeFile("m.pcl", "macro bytes");
    return MakeResource("m.pcl", "M", 0, 7, VINTREL_PCL_MACRO, 0, VINTREL_SRAM_CARD, 0, nullptr);
}

int buildCardSlot(TestBuild& build)
{
    build.addItem(VINTREL_PROGRAM_DATA, "DATA");
    writeFile("BPD00000.RSC", "program data");
    build.context()->sizeIndex = 7;
    return build.buildSlots(VINTREL_JEIDA_CARD) ? 1 : 0;
}

const Step kSteps[] = {
    {"macro resource", {"BMD00000.RSC"}, makeMacroResource},
    {"plain form resource",
     {"BHD00000.RSC"},
     [](TestBuild&) {
         writeFile("f.bin", "form bytes");
         return MakeResource("f.bin", "F", 0, 0, VINTREL_FORM, 0, VINTREL_SRAM_CARD, 0, nullptr);
     }},
    {"slot image", {"SLT00000.SLT"}, buildCardSlot},
    {"EPROM image",
     {"TEMP.BXF"},
     [](TestBuild&) {
         writeFile("SLT00000.SLT", qrl::test::epromSlotImage(196));
         return CreateEPROMFile();
     }},
    {"card image scratch files",
     {"TEMP.BXF", "TEMP.SWP"},
     [](TestBuild& build) {
         return buildCardSlot(build) && SLT2BXF("card.bxf", build.context(), VINTREL_JEIDA_CARD);
     }},
};

TEST(WorkingFile, APlantedLinkIsReplacedNeverWrittenThrough)
{
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.what);
        TempCwd cwd;
        TempDirectory elsewhere;
        const std::string victim = elsewhere.file("victim");
        writeFile(victim, "the user's file");
        for (const char* name : step.names)
            fs::create_symlink(victim, name);
        TestBuild build;
        EXPECT_EQ(step.run(build), 1);
        EXPECT_EQ(readFile(victim), "the user's file");
        for (const char* name : step.names)
            EXPECT_FALSE(fs::is_symlink(name)) << name;
    }
}

} // namespace
