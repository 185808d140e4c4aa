// Slot images as the printer stores them, checked with the test's own reader of the format.
#include "vintrel.h"

#include "ByteOrder.h"
#include "MemoryFaults.h"
#include "SlotImageWalker.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

namespace {

using qrl::test::fileExists;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::TestBuild;
using qrl::test::WalkedImage;
using qrl::test::walkSlotImage;
using qrl::test::writeFile;
using qrl::test::writeResourceFile;

std::string today()
{
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", std::localtime(&now));
    return text;
}

WalkedImage walk(const std::string& file)
{
    WalkedImage image;
    const std::string bytes = readFile(file);
    const std::string error = walkSlotImage(bytes, image);
    EXPECT_EQ(error, "") << file;
    return image;
}

TEST(SlotImage, EpromBuildWithoutLinksIsTheBareHeader)
{
    TempCwd cwd;
    TestBuild build;
    build.addItem(VINTREL_SKIPPED_ITEM, "nothing");
    ASSERT_TRUE(build.buildSlots(VINTREL_EPROM));

    const std::string bytes = readFile("SLT00000.SLT");
    ASSERT_EQ(bytes.size(), 196u);
    const WalkedImage image = walk("SLT00000.SLT");
    EXPECT_EQ(image.mediumWord, 0);
    EXPECT_TRUE(image.resources.empty());
    EXPECT_EQ(image.date, today());
    EXPECT_FALSE(image.notice.empty());
    EXPECT_EQ(build.slot(0).kind, 0);
    EXPECT_STREQ(build.slot(0).name, "EPROM");
}

struct FontAndMacroSizes {
    std::size_t a, b, c, m;
};

class EpromDirectory : public ::testing::TestWithParam<FontAndMacroSizes> {};

TEST_P(EpromDirectory, TrueTypeFontAndMacroOffsets)
{
    const auto [a, b, c, m] = GetParam();
    TempCwd cwd;
    TestBuild build;
    build.addItem(VINTREL_PRINTER_MACRO, "MAC1"); // item 0, but linked after the font
    build.addItem(VINTREL_TRUETYPE_FONT, "Face");
    writeResourceFile("BMD00000.RSC", m, 0x10);
    writeResourceFile("TTH00001.HDR", a, 0x20);
    writeResourceFile("TTD00001.RSC", b, 0x30);
    writeResourceFile("TTI00001.RSC", c, 0x40);
    const std::string files[] = {readFile("TTH00001.HDR"), readFile("TTD00001.RSC"), readFile("TTI00001.RSC"),
                                 readFile("BMD00000.RSC")};
    ASSERT_TRUE(build.buildSlots(VINTREL_EPROM));

    const std::string bytes = readFile("SLT00000.SLT");
    ASSERT_EQ(bytes.size(), a + b + c + m + 228);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint32_t offsets[] = {28, static_cast<std::uint32_t>(20 + a),
                                     static_cast<std::uint32_t>(12 + a + b),
                                     static_cast<std::uint32_t>(4 + a + b + c)};
    const std::uint16_t kinds[] = {0, 1, 1, 48};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(qrl::bytes::getU16BE(p + 196 + 8 * k + 2), kinds[k]) << k;
        EXPECT_EQ(qrl::bytes::getU32BE(p + 196 + 8 * k + 4), offsets[k]) << k;
    }
    const WalkedImage image = walk("SLT00000.SLT");
    ASSERT_EQ(image.resources.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(bytes.substr(image.resources[k].offset, image.resources[k].size), files[k]) << k;
    for (const char* name : {"BMD00000.RSC", "TTH00001.HDR", "TTD00001.RSC", "TTI00001.RSC"})
        EXPECT_FALSE(fileExists(name)) << name;
    // Naming and writing the slot, a step before the two font data files and the macro, and
    // before copying the macro, one per resource in the form and program-data passes.
    EXPECT_EQ(build.progressWeight("Building Slots"), 10 + 10 + 3 * 4 + 4 + 2 * 4 * 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EpromDirectory,
                         ::testing::Values(FontAndMacroSizes{1, 2, 3, 32},
                                           FontAndMacroSizes{100, 57, 1023, 36},
                                           FontAndMacroSizes{0, 70000, 5, 68}));

TEST(SlotImage, CardBuildGivesOneSlotPerItem)
{
    TempCwd cwd;
    writeFile("form.prn", std::string("\x1B"
                                      "E form bytes, odd length",
                                      25));
    writeFile("data.bin", "program data");
    writeFile("macro.txt", "!R!MCRO M1;SCU;ENDM;EXIT;");
    TestBuild build;
    build.addItem(VINTREL_FORM, "Form One");
    build.addItem(VINTREL_PROGRAM_DATA, "Data");
    build.addItem(VINTREL_PRINTER_MACRO, "M1");
    build.addItem(VINTREL_PCL_BITMAP_FONT, "Courier");
    ASSERT_EQ(
        MakeResource("form.prn", "Form One", 0, 0, VINTREL_FORM, 0, VINTREL_SRAM_CARD, 0, build.context()),
        1);
    ASSERT_EQ(MakeResource("data.bin", "Data", 1, 0, VINTREL_PROGRAM_DATA, 0, VINTREL_SRAM_CARD, 0, nullptr),
              1);
    ASSERT_EQ(MakeResource("macro.txt", "M1", 2, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_SRAM_CARD, 0, nullptr),
              1);
    writeResourceFile("BBM00003.HDR", 64, 1);
    writeResourceFile("BBM00003.RSC", 301, 2);
    ASSERT_TRUE(build.buildSlots(VINTREL_SRAM_CARD));
    ASSERT_EQ(build.context()->slotCount, 4u);

    // Link order: font, form, macro, data.
    const WalkedImage font = walk("SLT00000.SLT");
    EXPECT_EQ(font.mediumWord, 2);
    ASSERT_EQ(font.resources.size(), 2u);
    EXPECT_EQ(font.resources[0].kind, 0);
    EXPECT_EQ(font.resources[1].kind, 1);
    EXPECT_EQ(readFile("SLT00001.SLT"), readFile("form.prn"));
    const WalkedImage macro = walk("SLT00002.SLT");
    ASSERT_EQ(macro.resources.size(), 1u);
    EXPECT_EQ(macro.resources[0].kind, 48);
    EXPECT_EQ(readFile("SLT00003.SLT"), readFile("data.bin"));

    const std::pair<std::uint8_t, const char*> expected[] = {
        {1, "Courier"}, {2, "Form One"}, {16, "M1"}, {128, "Data"}};
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(build.slot(i).kind, expected[i].first) << i;
        EXPECT_STREQ(build.slot(i).name, expected[i].second) << i;
    }
}

TEST(SlotImage, AFullProjectGivesEveryItemItsSlotAndLeavesNoResourceFiles)
{
    TempCwd cwd;
    TestBuild build;
    for (std::uint32_t i = 0; i < VINTREL_MAX_BLOCKS; ++i) {
        char resource[16];
        std::snprintf(resource, sizeof resource, "BPD%05u.RSC", i);
        build.addItem(VINTREL_PROGRAM_DATA, "D" + std::to_string(i));
        writeResourceFile(resource, 3, static_cast<unsigned char>(i));
    }
    const std::string last = readFile("BPD00255.RSC");
    ASSERT_TRUE(build.buildSlots(VINTREL_SRAM_CARD));
    ASSERT_EQ(build.context()->slotCount, VINTREL_MAX_BLOCKS);
    EXPECT_STREQ(build.slot(255).name, "D255");
    EXPECT_EQ(readFile("SLT00255.SLT"), last);
    for (const char* resource : {"BPD00000.RSC", "BPD00255.RSC"})
        EXPECT_FALSE(fileExists(resource)) << resource;
}

TEST(SlotImage, TwoBuildsOnTheSameDayAreIdentical)
{
    std::string images[2];
    for (std::string& image : images) {
        TempCwd cwd;
        writeFile("form.prn", "form");
        writeFile("macro.txt", "!R!MCRO M1;SCU;ENDM;EXIT;");
        TestBuild build;
        build.addItem(VINTREL_FORM, "F");
        build.addItem(VINTREL_PRINTER_MACRO, "M1");
        ASSERT_EQ(MakeResource("form.prn", "F", 0, 0, VINTREL_FORM, 1, VINTREL_EPROM, 0, nullptr), 1);
        ASSERT_EQ(MakeResource("macro.txt", "M1", 1, 0, VINTREL_PRINTER_MACRO, 0, VINTREL_EPROM, 0, nullptr),
                  1);
        ASSERT_TRUE(build.buildSlots(VINTREL_EPROM));
        image = readFile("SLT00000.SLT");
    }
    if (images[0].substr(16, 8) != images[1].substr(16, 8))
        GTEST_SKIP() << "the day changed between the two builds";
    EXPECT_EQ(images[0], images[1]);
}

TEST(SlotImage, UnterminatedItemNameGivesABoundedSlotName)
{
    TempCwd cwd;
    TestBuild build;
    build.addItem(VINTREL_PROGRAM_DATA, std::string(33, 'N'));
    writeFile("BPD00000.RSC", "x");
    ASSERT_TRUE(build.buildSlots(VINTREL_HARD_DISK));
    EXPECT_EQ(std::string(build.slot(0).name), std::string(32, 'N'));
}

TEST(SlotImage, MissingResourceFailsAndRemovesTheResources)
{
    TempCwd cwd;
    TestBuild build;
    build.addItem(VINTREL_FORM, "F");
    build.addItem(VINTREL_PCL_MACRO, "M");
    writeFile("BHD00000.RSC", "form");
    EXPECT_FALSE(build.buildSlots(VINTREL_EPROM));
    EXPECT_FALSE(fileExists("BHD00000.RSC"));
}

TEST(SlotImage, LockFailureWhileNamingKeepsTheResources)
{
    TempCwd cwd;
    TestBuild build;
    build.addItem(VINTREL_FORM, "F");
    writeFile("BHD00000.RSC", "form");
    ASSERT_EQ(BuildLinkList(build.context()), 1);
    ASSERT_EQ(BuildSlotList(build.context(), VINTREL_SRAM_CARD), 1);
    QrlGlobalSetFaults(0, 1);
    EXPECT_EQ(BuildAllSlots(build.context(), VINTREL_SRAM_CARD, 0), 0);
    QrlGlobalSetFaults(0, 0);
    EXPECT_TRUE(fileExists("BHD00000.RSC"));
    EXPECT_FALSE(fileExists("SLT00000.SLT"));
}

TEST(SlotImage, RemoveResourcesAndRemoveSlotsDeleteTheBuildsFiles)
{
    TempCwd cwd;
    TestBuild build;
    const std::pair<std::uint8_t, std::vector<std::string>> items[] = {
        {VINTREL_TRUETYPE_FONT, {"TTH00000.HDR", "TTD00000.RSC", "TTI00000.RSC"}},
        {VINTREL_LDFC_FONT, {"FNT00001.SFA", "BBM00001.HDR", "BBM00001.RSC"}},
        {VINTREL_PCL_MACRO, {"BMD00002.RSC"}},
        {VINTREL_FORM, {"BHD00003.RSC"}},
        {VINTREL_PROGRAM_DATA, {"BPD00004.RSC"}},
        {VINTREL_SKIPPED_ITEM, {}}};
    for (const auto& [type, files] : items) {
        build.addItem(type, "i");
        for (const std::string& f : files)
            writeFile(f, "r");
    }
    writeFile("BMD00005.RSC", "not this build's"); // item 5 is skipped
    RemoveResources(build.context());
    for (const auto& item : items)
        for (const std::string& f : item.second)
            EXPECT_FALSE(fileExists(f)) << f;
    EXPECT_TRUE(fileExists("BMD00005.RSC"));

    build.context()->slotCount = 3;
    for (const char* f : {"SLT00000.SLT", "SLT00001.SLT", "SLT00002.SLT", "SLT00003.SLT"})
        writeFile(f, "s");
    EXPECT_EQ(RemoveSlots(build.context()), 1);
    EXPECT_EQ(RemoveSlots(build.context()), 1);
    EXPECT_FALSE(fileExists("SLT00002.SLT"));
    EXPECT_TRUE(fileExists("SLT00003.SLT"));
    build.context()->slotCount = 0;
}

} // namespace
