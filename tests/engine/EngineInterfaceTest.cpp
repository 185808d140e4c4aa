// The library's outside: the exports by name, nothing else exported, no toolkit header, and the
// exports not built yet answering 0 without touching the working directory.
#include "vintrel.h"

#include "TempCwd.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

extern "C" std::size_t vintrelTestLayoutInC(int field);

namespace {

const std::string kLibrary = std::string(QUORLYN_BIN_DIR) + "/libvintrel.so";

const std::set<std::string> kExports = {
    "MakeSFA", "MakeFontHeader", "CreateFontResource", "MakeTTFResource", "MakeResource", "BuildLinkList",
    "BuildSlotList", "BuildAllSlots", "RemoveResources", "RemoveLinkList", "RemoveSlotList", "RemoveSlots",
    "SLT2BXF", "CreateEPROMFile", "WriteFileQRL", "BIN2HEX",
    // The steps of the TrueType conversion.
    "ConvertTTF", "ReadTTFont", "MakeTTFHeader", "MakeTTFSegment", "MakeTTFCharData", "GetTTFCharData",
    "GetCompositeData", "MakeICResource", "MakeIDResource", "MakeDAResource", "MakeHDResource", "GetValue",
    "CopyFileExternal", "fprintf_BYTE", "fprintf_WORD", "fprintf_DWORD", "fprintf_ASCII",
    // The shared platform layer compiled into the library.
    "QrlGlobalAlloc", "QrlGlobalLock", "QrlGlobalUnlock", "QrlGlobalFree", "QrlGlobalSize",
    "QrlOutputDebugString", "QrlSetDebugOutputSink"};

TEST(EngineInterface, EveryExportResolvesByItsExactName)
{
    void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const std::string& name : kExports)
        EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;
    dlclose(library);
}

TEST(EngineInterface, CAndCppSeeOneLayout)
{
    EXPECT_EQ(vintrelTestLayoutInC(0), sizeof(BuildContext));
    EXPECT_EQ(vintrelTestLayoutInC(1), offsetof(BuildContext, slotBlocks));
    EXPECT_EQ(vintrelTestLayoutInC(2), offsetof(BuildContext, progressCallback));
    EXPECT_EQ(vintrelTestLayoutInC(3), sizeof(SlotRecord));
    EXPECT_EQ(vintrelTestLayoutInC(4), offsetof(SlotRecord, endLink));
}

TEST(EngineInterface, NothingButTheExportsIsVisible)
{
    const std::string command = "nm -D --defined-only '" + kLibrary + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> visible;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        // Names beginning with "_" are the toolchain's own (sanitizer and runtime bookkeeping).
        if (fields >> address >> type >> name && name[0] != '_')
            visible.insert(name);
    }
    if (pclose(pipe) != 0 || visible.empty())
        GTEST_SKIP() << "nm from binutils is needed to list the library's symbols";
    EXPECT_EQ(visible, kExports);
}

TEST(EngineInterface, NoToolkitHeaderInTheEngineSources)
{
    const std::filesystem::path root = QUORLYN_SOURCE_DIR;
    const std::regex toolkitInclude(R"(^\s*#\s*include\s*<Q)");
    int files = 0;
    for (const char* folder : {"base", "engine"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            if (!entry.is_regular_file())
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                EXPECT_FALSE(std::regex_search(line, toolkitInclude)) << entry.path() << ":" << number;
        }
    }
    EXPECT_GT(files, 10);
}

TEST(EngineInterface, AnEmptyContextMakesNoCardImageAndWritesNothing)
{
    qrl::test::TempCwd cwd;
    qrl::test::writeFile("font.sfp", std::string(100, 'x'));
    BuildContext context{};
    EXPECT_EQ(SLT2BXF("card.bxf", &context, VINTREL_JEIDA_CARD), 0);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(cwd.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

} // namespace
