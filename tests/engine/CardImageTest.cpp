// PC Card images: the card information structure around the slot images, the device codes, the
// capacity and the refusals, read back with a reader of its own.
#include "vintrel.h"

#include "ByteOrder.h"
#include "CardImageReader.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using qrl::test::CardImage;
using qrl::test::fileExists;
using qrl::test::readCardImage;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::writeFile;

constexpr std::uint32_t kKB = 1024;
constexpr std::uint32_t kMB = 1024 * kKB;
constexpr std::uint8_t kEprom = 0, kFonts = 1, kForms = 2, kMacros = 16, kData = 128;

// A slot image of `size` bytes with varying content; with a header its first bytes are the slot
// header's magic and image size.
std::string slotImage(std::size_t size, bool header, unsigned char seed = 1)
{
    std::string image(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<char>(i * 13 + seed);
    if (header && size >= 12) {
        auto* p = reinterpret_cast<unsigned char*>(image.data());
        qrl::bytes::putU32BE(p, 0xAE00A002);
        qrl::bytes::putU16BE(p + 4, 0x00C0);
        qrl::bytes::putU16BE(p + 6, 2);
        qrl::bytes::putU32BE(p + 8, static_cast<std::uint32_t>(size));
    }
    return image;
}

// The slot images and slot blocks of a build as BuildAllSlots leaves them, in the current
// directory, with the progress calls recorded.
class CardBuild {
public:
    explicit CardBuild(std::uint32_t sizeIndex, std::uint32_t customCapacity = 0)
        : m_context(new BuildContext{})
    {
        m_context->sizeIndex = sizeIndex;
        m_context->customCapacity = customCapacity;
        m_context->callbackUser = this;
        m_context->progressCallback = [](const char* text, int weight, void* user) {
            static_cast<CardBuild*>(user)->m_progress.emplace_back(text, weight);
        };
    }
    ~CardBuild() { RemoveSlotList(m_context.get()); }
    CardBuild(const CardBuild&) = delete;
    CardBuild& operator=(const CardBuild&) = delete;

    void addSlot(std::uint8_t kind, const std::string& name, const std::string& image)
    {
        const std::uint32_t index = m_context->slotCount++;
        char file[16];
        std::snprintf(file, sizeof file, "SLT%05u.SLT", index);
        writeFile(file, image);
        SlotRecord record{};
        record.kind = kind;
        name.copy(record.name, sizeof record.name - 1);
        QrlHandle handle = QrlGlobalAlloc(sizeof record);
        *static_cast<SlotRecord*>(QrlGlobalLock(handle)) = record;
        QrlGlobalUnlock(handle);
        m_context->slotBlocks[index] = handle;
    }

    int exportTo(const std::string& path, std::uint32_t medium = VINTREL_JEIDA_CARD)
    {
        return SLT2BXF(path.c_str(), m_context.get(), medium);
    }
    BuildContext* context() { return m_context.get(); }
    const std::vector<std::pair<std::string, int>>& progress() const { return m_progress; }

private:
    std::unique_ptr<BuildContext> m_context;
    std::vector<std::pair<std::string, int>> m_progress;
};

// The files of the working directory other than the slot images.
std::vector<std::string> otherFiles(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("SLT", 0) != 0)
            names.push_back(name);
    }
    return names;
}

CardImage exported(const std::string& path)
{
    CardImage card;
    EXPECT_EQ(readCardImage(readFile(path), card), "");
    return card;
}

TEST(CardImage, OneFontSlotOnATwoMegabyteCard)
{
    TempCwd cwd;
    CardBuild build(7);
    const std::string image = slotImage(300, true);
    build.addSlot(kFonts, "Courier", image);
    ASSERT_EQ(build.exportTo("card.bxf"), 1);

    const std::string delivered = readFile("card.bxf");
    ASSERT_EQ(delivered.size(), 412u);
    const CardImage card = exported("card.bxf");
    // The tuples before the slot image, byte for byte.
    const std::string attribute("\x01\x01\x03\x03\x54\x54\x06\x06\xFF\xFF\x12\x12\x04\x04\x18\x18"
                                "\x00\x00\x00\x00\x00\x00\xFF\xFF",
                                24);
    const std::string common("\x13\x04"
                             "CIS\x00"
                             "\x40\x18\x00\x00\x70\x00\x00\x00\x00\x00\x01"
                             "ZENTRIX\x00"
                             "\x00\x00\x00\x00\x00\x00\x00"
                             "\x44\x04\x00\x00\x00\x00"
                             "\x41\x0A\x80\x00\x70\x00\x00\x00\x2C\x01\x00\x00"
                             "\x46\x18\x80\x00QP\x01\x80\x01\x00"
                             "Courier\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                             "\x43\x02\x01\x01"
                             "\xFF\x04\x9C\x01\x00\x00"
                             "\xFF\x00",
                             88);
    EXPECT_EQ(card.unswapped.substr(0, 24), attribute);
    EXPECT_EQ(card.unswapped.substr(24, 88), common);
    EXPECT_EQ(card.unswapped.substr(112), image);
    ASSERT_EQ(card.cardSlots.size(), 1u);
    EXPECT_EQ(card.cardSlots[0].dataOffset, 112u);
    EXPECT_EQ(card.cardSlots[0].dataSize, 300u);
    // The file is the image with every byte pair swapped.
    EXPECT_EQ(delivered[0], '\x01');
    EXPECT_EQ(delivered[112], image[1]);
    EXPECT_EQ(delivered[113], image[0]);
    EXPECT_TRUE(otherFiles(cwd.path()) == std::vector<std::string>{"card.bxf"});
}

TEST(CardImage, FurtherSlotsFollowTheChain)
{
    TempCwd cwd;
    CardBuild build(14);
    const std::string first = slotImage(400, true, 3);
    const std::string second = slotImage(500, true, 5);
    const std::string font = slotImage(301, true, 7);
    const std::string data = slotImage(77, false, 9);
    build.addSlot(kMacros, "ABCD", first);
    build.addSlot(kMacros, "A macro name of thirty chars!!", second);
    build.addSlot(kFonts, "Font", font);
    build.addSlot(kData, "fwupdate", data);
    ASSERT_EQ(build.exportTo("card.bxf"), 1);

    const CardImage card = exported("card.bxf");
    ASSERT_EQ(card.cardSlots.size(), 4u);
    EXPECT_EQ(card.sizeCode, 0x3E);
    struct Expect {
        std::uint8_t kind;
        const char* name;
        std::size_t position;
        std::uint32_t offset, size;
        const std::string* image;
    };
    const Expect expected[] = {
        {kMacros, "ABCD", 112, 316, 196, &first},
        {kMacros, "A macro name of", 564, 768, 296, &second},
        {kFonts, "Font", 1116, 1116, 301, &font},
        {kData, "fwupdate", 1469, 1469, 77, &data},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(card.cardSlots[i].kind, expected[i].kind);
        EXPECT_EQ(card.cardSlots[i].name, expected[i].name);
        EXPECT_EQ(card.cardSlots[i].position, expected[i].position);
        EXPECT_EQ(card.cardSlots[i].dataOffset, expected[i].offset);
        EXPECT_EQ(card.cardSlots[i].dataSize, expected[i].size);
        EXPECT_TRUE(card.cardSlots[i].image == *expected[i].image);
    }
    // The first slot's link points at the second common part.
    EXPECT_EQ(card.unswapped[104], '\x12');
    EXPECT_EQ(qrl::bytes::getU32LE(reinterpret_cast<const unsigned char*>(card.unswapped.data()) + 106),
              512u);
    EXPECT_EQ(card.unswapped.size(), 1469u + 77u);
    // Ten per slot while measuring, ten per further slot while writing.
    EXPECT_EQ(build.progress().size(), 7u);
    for (const auto& [text, weight] : build.progress()) {
        EXPECT_EQ(text, "Building BXF");
        EXPECT_EQ(weight, 10);
    }
}

TEST(CardImage, FormsSkipTheirHeadersOnlyWhenTheyHaveThem)
{
    TempCwd cwd;
    CardBuild build(7);
    const std::string bare = slotImage(150, false);
    const std::string headed = slotImage(300, true);
    build.addSlot(kForms, "FORM1", bare);
    build.addSlot(kForms, "FORM2", headed);
    ASSERT_EQ(build.exportTo("card.bxf"), 1);
    const CardImage card = exported("card.bxf");
    ASSERT_EQ(card.cardSlots.size(), 2u);
    EXPECT_EQ(card.cardSlots[0].dataOffset, 112u);
    EXPECT_EQ(card.cardSlots[0].dataSize, 150u);
    EXPECT_EQ(card.cardSlots[1].dataOffset, 112u + 150 + 52 + 224);
    EXPECT_EQ(card.cardSlots[1].dataSize, 300u - 224);
}

struct DeviceCase {
    const char* what;
    std::uint32_t medium, sizeIndex, customCapacity;
    int deviceInfo; // -1: refused
    int sizeCode;
};

const DeviceCase kDeviceCases[] = {
    {"SRAM, 32 KB", VINTREL_SRAM_CARD, 1, 0, 0x64, 0x03},
    {"JEIDA, 64 KB", VINTREL_JEIDA_CARD, 2, 0, 0x54, 0x0B},
    {"OTP, 1 MB", VINTREL_OTP_CARD, 6, 0, 0x24, 0x0D},
    {"EPROM, 6 MB", VINTREL_EPROM, 9, 0, 0x24, 0x16},
    {"32 MB", VINTREL_JEIDA_CARD, 18, 0, 0x54, 0x7E},
    {"custom 3 MB", VINTREL_JEIDA_CARD, 24, 3 * kMB, 0x54, 0x2D},
    {"custom 64 MB", VINTREL_JEIDA_CARD, 24, 64 * kMB, 0x54, 0xFE},
    {"custom 384 KB", VINTREL_JEIDA_CARD, 24, 384 * kKB, 0x54, 0x14},
    {"custom 96 KB", VINTREL_JEIDA_CARD, 24, 96 * kKB, 0x54, 0x13},
    {"custom 100 KB, whole 32 KB units", VINTREL_JEIDA_CARD, 24, 100 * kKB, 0x54, 0x13},
    {"custom 3 MB + 32 KB: 97 units do not fit the code", VINTREL_JEIDA_CARD, 24, 3 * kMB + 32 * kKB, -1, 0},
    {"custom 66 MB", VINTREL_JEIDA_CARD, 24, 66 * kMB, -1, 0},
    {"custom below 32 KB", VINTREL_JEIDA_CARD, 24, 16 * kKB, -1, 0},
    {"48 MB has no code", VINTREL_JEIDA_CARD, 19, 0, -1, 0},
    {"128 MB has no code", VINTREL_JEIDA_CARD, 23, 0, -1, 0},
    {"size index 0", VINTREL_JEIDA_CARD, 0, 0, -1, 0},
    {"size index 25", VINTREL_JEIDA_CARD, 25, 0, -1, 0},
    {"Compact Flash", VINTREL_COMPACT_FLASH, 7, 0, -1, 0},
    {"hard disk", VINTREL_HARD_DISK, 7, 0, -1, 0},
    {"micro drive", VINTREL_MICRO_DRIVE, 7, 0, -1, 0},
    {"JEIDA in the low byte", 0x101, 7, 0, 0x54, 0x06},
};

TEST(CardImage, DeviceTypeAndSizeCodes)
{
    for (const DeviceCase& c : kDeviceCases) {
        SCOPED_TRACE(c.what);
        TempCwd cwd;
        CardBuild build(c.sizeIndex, c.customCapacity);
        build.addSlot(kFonts, "F", slotImage(200, true));
        const int result = build.exportTo("card.bxf", c.medium);
        if (c.deviceInfo < 0) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(otherFiles(cwd.path()).empty());
            continue;
        }
        ASSERT_EQ(result, 1);
        const CardImage card = exported("card.bxf");
        EXPECT_EQ(card.deviceInfo, c.deviceInfo);
        EXPECT_EQ(card.sizeCode, c.sizeCode);
    }
}

TEST(CardImage, AnImageFillingTheCardExactlyIsWrittenOneByteMoreIsNot)
{
    for (const std::size_t extra : {0, 1}) {
        SCOPED_TRACE(extra);
        TempCwd cwd;
        // A 32 KB card: the first slot's tuples, a second common part, and the rest in images.
        CardBuild build(1);
        build.addSlot(kFonts, "F1", slotImage(16 * kKB, true));
        build.addSlot(kFonts, "F2", slotImage(16 * kKB - 112 - 52 + extra, true));
        EXPECT_EQ(build.exportTo("card.bxf"), extra == 0 ? 1 : 0);
        if (extra == 0)
            EXPECT_EQ(readFile("card.bxf").size(), 32u * kKB);
        else
            EXPECT_TRUE(otherFiles(cwd.path()).empty());
    }
}

TEST(CardImage, SlotsOfSeveralMegabytesCrossTheCopyBlocksWhole)
{
    // An 8 MB card; the images begin at odd and even places and end across the blocks of a
    // megabyte in which the slots are copied and the card swapped.
    TempCwd cwd;
    CardBuild build(10);
    struct Slot {
        std::uint8_t kind;
        const char* name;
        std::string image;
        std::uint32_t skipped; // the headers before a macro's data
    };
    const Slot slots[] = {
        {kData, "bigdata", slotImage(3 * kMB + 1, false, 11), 0},
        {kFonts, "Font", slotImage(kMB + 301, true, 13), 0},
        {kMacros, "MAC", slotImage(2 * kMB + 7, true, 17), 204},
    };
    for (const Slot& slot : slots)
        build.addSlot(slot.kind, slot.name, slot.image);
    ASSERT_EQ(build.exportTo("card.bxf"), 1);

    const CardImage card = exported("card.bxf");
    ASSERT_EQ(card.cardSlots.size(), std::size(slots));
    std::size_t position = 112;
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        SCOPED_TRACE(i);
        const Slot& slot = slots[i];
        EXPECT_EQ(card.cardSlots[i].kind, slot.kind);
        EXPECT_EQ(card.cardSlots[i].name, slot.name);
        EXPECT_EQ(card.cardSlots[i].position, position);
        EXPECT_EQ(card.cardSlots[i].dataOffset, position + slot.skipped);
        EXPECT_EQ(card.cardSlots[i].dataSize, slot.image.size() - slot.skipped);
        EXPECT_TRUE(card.cardSlots[i].image == slot.image);
        EXPECT_TRUE(card.unswapped.compare(position, slot.image.size(), slot.image) == 0);
        position += slot.image.size() + 52;
    }
    EXPECT_EQ(card.unswapped.size(), position - 52);
}

TEST(CardImage, AFullSlotListIsWrittenOneSlotMoreIsRefused)
{
    TempCwd cwd;
    CardBuild build(7);
    for (std::uint32_t i = 0; i < VINTREL_MAX_BLOCKS; ++i)
        build.addSlot(kData, "D" + std::to_string(i), slotImage(40, false, static_cast<unsigned char>(i)));
    ASSERT_EQ(build.exportTo("card.bxf"), 1);
    const CardImage card = exported("card.bxf");
    ASSERT_EQ(card.cardSlots.size(), VINTREL_MAX_BLOCKS);
    EXPECT_EQ(card.cardSlots.back().name, "D255");
    EXPECT_TRUE(card.cardSlots.back().image == slotImage(40, false, 255));

    // The arrays hold no 257th slot: the count alone must be refused.
    writeFile("card.bxf", "old image");
    build.context()->slotCount = VINTREL_MAX_BLOCKS + 1;
    EXPECT_EQ(build.exportTo("card.bxf"), 0);
    build.context()->slotCount = VINTREL_MAX_BLOCKS;
    EXPECT_EQ(readFile("card.bxf"), "old image");
}

TEST(CardImage, RefusalsLeaveTheOutputAsItWasAndNoScratchFiles)
{
    struct Refusal {
        const char* what;
        std::uint8_t kind;
        std::string image;
        bool removeImage;
        const char* output;
    };
    const Refusal refusals[] = {
        {"slot image missing", kFonts, slotImage(300, true), true, "card.bxf"},
        {"macro slot without a slot header", kMacros, slotImage(300, false), false, "card.bxf"},
        {"macro slot header not matching its length", kMacros, slotImage(300, true).substr(0, 299), false,
         "card.bxf"},
        {"macro slot shorter than its header", kMacros, slotImage(150, true), false, "card.bxf"},
        {"form slot header shorter than a form's", kForms, slotImage(210, true), false, "card.bxf"},
        {"font slot without a slot header", kFonts, slotImage(300, false), false, "card.bxf"},
        {"font slot shorter than a slot header", kFonts, slotImage(150, true), false, "card.bxf"},
        {"EPROM slot without a slot header", kEprom, slotImage(300, false), false, "card.bxf"},
        {"program-data slot carrying a slot header", kData, slotImage(300, true), false, "card.bxf"},
        {"unknown slot kind", 64, slotImage(300, true), false, "card.bxf"},
        {"output folder missing", kFonts, slotImage(300, true), false, "missing/card.bxf"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        TempCwd cwd;
        writeFile("card.bxf", "old image");
        CardBuild build(7);
        build.addSlot(kMacros, "ABCD", slotImage(400, true));
        build.addSlot(r.kind, "SECOND", r.image);
        if (r.removeImage)
            std::remove("SLT00001.SLT");
        EXPECT_EQ(build.exportTo(r.output), 0);
        EXPECT_EQ(readFile("card.bxf"), "old image");
        EXPECT_TRUE(otherFiles(cwd.path()) == std::vector<std::string>{"card.bxf"});
    }
}

TEST(CardImage, OldScratchFilesAreNeverExported)
{
    TempCwd cwd;
    writeFile("TEMP.BXF", "stale");
    writeFile("TEMP.SWP", "stale");
    CardBuild build(7);
    build.addSlot(kFonts, "F", slotImage(300, true));
    ASSERT_EQ(build.exportTo("card.bxf"), 1);
    EXPECT_EQ(readFile("card.bxf").size(), 412u);
    EXPECT_FALSE(fileExists("TEMP.BXF"));
    EXPECT_FALSE(fileExists("TEMP.SWP"));
}

TEST(CardImage, NoSlotsNoImage)
{
    TempCwd cwd;
    CardBuild build(7);
    EXPECT_EQ(build.exportTo("card.bxf"), 0);
    EXPECT_EQ(SLT2BXF("card.bxf", nullptr, VINTREL_JEIDA_CARD), 0);
    EXPECT_EQ(build.exportTo(""), 0);
    EXPECT_FALSE(fileExists("card.bxf"));
}

} // namespace
