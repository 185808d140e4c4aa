// MakeResource: the resource files of macros, forms and program data.
#include "vintrel.h"

#include "ByteOrder.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace {

using qrl::bytes::getU16BE;
using qrl::bytes::getU32BE;
using qrl::test::fileExists;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::TestBuild;
using qrl::test::writeFile;

const unsigned char* bytesOf(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

struct ResourceCase {
    const char* what;
    std::uint8_t type;
    std::uint32_t medium;
    std::uint32_t headerFlag;
    std::size_t sourceSize;
    const char* name;
    std::uint32_t automatic;
    const char* file;
    std::size_t headerSize; // 0: a plain copy of the source
    const char* nameField;  // the upper-cased name in the header
};

class MakeResourceCase : public ::testing::TestWithParam<ResourceCase> {};

TEST_P(MakeResourceCase, WritesTheResourceLayout)
{
    const ResourceCase& c = GetParam();
    TempCwd cwd;
    std::string source;
    for (std::size_t i = 0; i < c.sourceSize; ++i)
        source += static_cast<char>('a' + i % 26); // lower case: no printer-language keyword to strip
    writeFile("item.src", source);
    TestBuild build;

    ASSERT_EQ(MakeResource("item.src", c.name, 7, 4711, c.type, c.automatic, c.medium, c.headerFlag,
                           build.context()),
              1);
    const std::string out = readFile(c.file);
    if (c.headerSize == 0) {
        EXPECT_EQ(out, source);
        EXPECT_TRUE(build.progress().empty());
        return;
    }
    const std::size_t padding = (4 - c.sourceSize % 4) % 4;
    ASSERT_EQ(out.size(), c.headerSize + c.sourceSize + padding);
    const unsigned char* p = bytesOf(out);
    EXPECT_EQ(getU32BE(p), out.size());
    const std::size_t nameAt = c.headerSize == 32 ? 16 : 4;
    if (c.headerSize == 32) {
        EXPECT_EQ(getU16BE(p + 4), 32);
        EXPECT_EQ(getU16BE(p + 6), padding);
        EXPECT_EQ(getU16BE(p + 8), c.medium == VINTREL_EPROM ? 2 : 3);
        EXPECT_EQ(getU16BE(p + 10), c.type == VINTREL_PCL_MACRO ? 1 : 0);
        EXPECT_EQ(getU16BE(p + 12), c.automatic ? 1 : 0);
        EXPECT_EQ(getU16BE(p + 14), std::string(c.type == VINTREL_PCL_MACRO ? "4711" : c.name).size());
    }
    EXPECT_EQ(out.substr(nameAt, 16),
              std::string(c.nameField).append(16 - std::string(c.nameField).size(), '\0'));
    EXPECT_EQ(out.substr(c.headerSize, c.sourceSize), source);
    EXPECT_EQ(out.substr(c.headerSize + c.sourceSize), std::string(padding, '\0'));
    EXPECT_EQ(build.progressWeight("Building Resources"), 8);
    EXPECT_EQ(build.progress().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MakeResourceCase,
                         ::testing::Values(ResourceCase{"EmptyPclMacro", VINTREL_PCL_MACRO, VINTREL_SRAM_CARD,
                                                        0, 0, "ignored", 0, "BMD00007.RSC", 32, "4711"},
                                           ResourceCase{"PclMacroOnEprom", VINTREL_PCL_MACRO, VINTREL_EPROM,
                                                        0, 5, "ignored", 1, "BMD00007.RSC", 32, "4711"},
                                           ResourceCase{"LongMacroName", VINTREL_PRINTER_MACRO,
                                                        VINTREL_COMPACT_FLASH, 0, 8, "long_macro_name_x25", 1,
                                                        "BMD00007.RSC", 32, "LONG_MACRO_NAME_"},
                                           ResourceCase{"EmptyFormOnEprom", VINTREL_FORM, VINTREL_EPROM, 0, 0,
                                                        "Form1", 0, "BHD00007.RSC", 20, "FORM1"},
                                           ResourceCase{"FormOnCard", VINTREL_FORM, VINTREL_SRAM_CARD, 0, 7,
                                                        "Form1", 1, "BHD00007.RSC", 0, ""},
                                           ResourceCase{"FormWithHeaderFlag", VINTREL_FORM, VINTREL_HARD_DISK,
                                                        1, 7, "Form1", 0, "BHD00007.RSC", 20, "FORM1"},
                                           ResourceCase{"DataOnDisk", VINTREL_PROGRAM_DATA, VINTREL_HARD_DISK,
                                                        0, 5, "data", 0, "BPD00007.RSC", 0, ""},
                                           ResourceCase{"DataOnEprom", VINTREL_PROGRAM_DATA, VINTREL_EPROM, 0,
                                                        6, "data.bin", 0, "BPD00007.RSC", 20, "DATA.BIN"}),
                         [](const auto& param) { return std::string(param.param.what); });

TEST(MakeResource, PrinterMacroIsStrippedAndItsScratchFileRemoved)
{
    TempCwd cwd;
    writeFile("m.txt", "!R! MCRO ABCD;\r\nCMNT drawn box;\r\nTEXT 'EXIT';\r\nENDM;\r\nEXIT;\r\n");
    ASSERT_EQ(MakeResource("m.txt", "ABCD", 3, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_SRAM_CARD, 0, nullptr),
              1);
    const std::string out = readFile("BMD00003.RSC");
    const std::string body = "%TEXT 'EXIT';\r\nENDM;\r\n";
    ASSERT_EQ(out.size(), 32 + body.size() + (4 - body.size() % 4) % 4);
    EXPECT_EQ(out.substr(32, body.size()), body);
    EXPECT_FALSE(fileExists("BMD00003.TMP"));
}

// A macro whose stripped text leaves in several blocks: the header, written once the size is
// known, counts all of it.
TEST(MakeResource, ALargePrinterMacroIsStrippedWhole)
{
    TempCwd cwd;
    std::string source = "!R! MCRO BIG;\r\n";
    std::string body = "%";
    for (int i = 0; i < 30000; ++i) {
        source += "TEXT 'abc';CMNT x;\r\n";
        body += "TEXT 'abc';";
    }
    source += "ENDM;EXIT;";
    body += "ENDM;";
    writeFile("big.txt", source);
    ASSERT_EQ(MakeResource("big.txt", "BIG", 3, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_SRAM_CARD, 0, nullptr),
              1);
    const std::string out = readFile("BMD00003.RSC");
    const std::size_t padding = (4 - body.size() % 4) % 4;
    ASSERT_EQ(out.size(), 32 + body.size() + padding);
    EXPECT_EQ(getU32BE(bytesOf(out)), out.size());
    EXPECT_EQ(getU16BE(bytesOf(out) + 6), padding);
    EXPECT_TRUE(out.substr(32, body.size()) == body);
    EXPECT_EQ(out.substr(32 + body.size()), std::string(padding, '\0'));
}

TEST(MakeResource, StaleScratchFileIsNeverBuiltWhenStrippingFails)
{
    TempCwd cwd;
    writeFile("BMD00003.TMP", "%ENDM;"); // left by an earlier build
    EXPECT_EQ(
        MakeResource("missing.txt", "ABCD", 3, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_SRAM_CARD, 0, nullptr),
        0);
    EXPECT_FALSE(fileExists("BMD00003.TMP"));
    EXPECT_FALSE(fileExists("BMD00003.RSC"));
}

TEST(MakeResource, UnterminatedNameIsCutToThirtyTwoCharacters)
{
    TempCwd cwd;
    writeFile("m.txt", "x");
    const std::string name(40, 'n'); // stands for a name field whose terminator is missing
    ASSERT_EQ(MakeResource("m.txt", name.c_str(), 0, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_EPROM, 0, nullptr),
              1);
    EXPECT_EQ(getU16BE(bytesOf(readFile("BMD00000.RSC")) + 14), 32);
}

TEST(MakeResource, RefusesWhatItCannotBuild)
{
    TempCwd cwd;
    writeFile("m.txt", "data");
    std::filesystem::create_directory("BHD00001.RSC");
    EXPECT_EQ(MakeResource("missing", "A", 0, 0, VINTREL_FORM, 0, VINTREL_EPROM, 0, nullptr), 0);
    EXPECT_FALSE(fileExists("BHD00000.RSC"));
    EXPECT_EQ(MakeResource("m.txt", "A", 1, 0, VINTREL_FORM, 0, VINTREL_EPROM, 0, nullptr), 0);
    EXPECT_EQ(MakeResource("m.txt", "A", 2, 0, VINTREL_LDFC_FONT, 0, VINTREL_EPROM, 0, nullptr), 0);
    EXPECT_EQ(MakeResource("m.txt", "A", 2, 0, VINTREL_SKIPPED_ITEM, 0, VINTREL_EPROM, 0, nullptr), 0);
    EXPECT_EQ(MakeResource(nullptr, "A", 2, 0, VINTREL_FORM, 0, VINTREL_EPROM, 0, nullptr), 0);
}

TEST(MakeResource, AResourceBeyondThirtyTwoBitsIsRefusedBeforeItsFileExists)
{
    // Sparse sources: the refusal must come from the size alone, before a byte is copied.
    constexpr std::uint64_t k4G = std::uint64_t{1} << 32;
    struct Oversize {
        const char* what;
        std::uint8_t type;
        std::uint32_t medium;
        std::uint64_t sourceSize;
        const char* file;
    };
    const Oversize cases[] = {
        {"macro: 32-byte header and no padding make 4 GB", VINTREL_PCL_MACRO, VINTREL_SRAM_CARD, k4G - 32,
         "BMD00004.RSC"},
        {"form on the EPROM: 20-byte header and 3 padding bytes", VINTREL_FORM, VINTREL_EPROM, k4G - 23,
         "BHD00004.RSC"},
        {"plain program-data copy of 4 GB", VINTREL_PROGRAM_DATA, VINTREL_HARD_DISK, k4G, "BPD00004.RSC"},
    };
    for (const Oversize& c : cases) {
        SCOPED_TRACE(c.what);
        TempCwd cwd;
        writeFile("big.bin", "");
        std::filesystem::resize_file("big.bin", c.sourceSize);
        writeFile(c.file, "resource of an earlier build");
        errno = 0;
        EXPECT_EQ(MakeResource("big.bin", "BIG", 4, 0, c.type, 0, c.medium, 0, nullptr), 0);
        EXPECT_EQ(errno, EFBIG);
        EXPECT_FALSE(fileExists(c.file));
    }
}

} // namespace
