// The link list and the slot list, and freeing their blocks.
#include "vintrel.h"

#include "MemoryFaults.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qrl::test::TestBuild;

std::vector<std::uint32_t> links(const TestBuild& build, BuildContext* context)
{
    std::vector<std::uint32_t> items;
    for (std::uint32_t i = 0; i < context->linkCount; ++i)
        items.push_back(build.linkedItem(i));
    return items;
}

TEST(LinkList, FontsThenFormsThenMacrosThenData)
{
    TestBuild build;
    for (std::uint8_t type : {VINTREL_PRINTER_MACRO, VINTREL_PCL_BITMAP_FONT, VINTREL_FORM,
                              VINTREL_PROGRAM_DATA, VINTREL_TRUETYPE_FONT, VINTREL_SKIPPED_ITEM})
        build.addItem(type, "item");
    BuildContext* context = build.context();

    ASSERT_EQ(BuildLinkList(context), 1);
    EXPECT_EQ(links(build, context), (std::vector<std::uint32_t>{1, 4, 2, 0, 3}));
    EXPECT_EQ(build.progress().size(), 4u * 6);
    EXPECT_EQ(build.progressWeight("Building Link List"), 10 * 4 * 6);

    build.clearProgress();
    ASSERT_EQ(BuildSlotList(context, VINTREL_COMPACT_FLASH), 1);
    ASSERT_EQ(context->slotCount, 5u);
    for (std::uint32_t i = 0; i < 5; ++i) {
        const SlotRecord slot = build.slot(i);
        EXPECT_EQ(slot.firstLink, i);
        EXPECT_EQ(slot.endLink, i + 1);
        EXPECT_EQ(slot.kind, 0);
        EXPECT_EQ(slot.name[0], '\0');
    }
    EXPECT_EQ(build.progressWeight("Building Slot List"), 10);
    EXPECT_EQ(build.progress().size(), 1u);
}

TEST(LinkList, OneSlotForEveryLinkOnTheEprom)
{
    TestBuild build;
    build.addItem(VINTREL_FORM, "a");
    build.addItem(VINTREL_PCL_MACRO, "b");
    ASSERT_EQ(BuildLinkList(build.context()), 1);
    ASSERT_EQ(BuildSlotList(build.context(), VINTREL_EPROM), 1);
    ASSERT_EQ(build.context()->slotCount, 1u);
    EXPECT_EQ(build.slot(0).firstLink, 0u);
    EXPECT_EQ(build.slot(0).endLink, 2u);
}

TEST(LinkList, SkippedItemsOnlyGiveNoLinks)
{
    for (std::uint32_t medium : {VINTREL_SRAM_CARD, VINTREL_EPROM}) {
        TestBuild build;
        build.addItem(VINTREL_SKIPPED_ITEM, "x");
        build.addItem(VINTREL_SKIPPED_ITEM, "y");
        ASSERT_EQ(BuildLinkList(build.context()), 1);
        EXPECT_EQ(build.context()->linkCount, 0u);
        ASSERT_EQ(BuildSlotList(build.context(), medium), 1);
        EXPECT_EQ(build.context()->slotCount, medium == VINTREL_EPROM ? 1u : 0u);
    }
}

TEST(LinkList, ItemsThatCannotBeReadAreSkipped)
{
    TestBuild build;
    build.addItem(VINTREL_FORM, "a");
    build.context()->itemBlocks[build.context()->itemCount++] = nullptr;
    build.addItem(VINTREL_FORM, "c");
    ASSERT_EQ(BuildLinkList(build.context()), 1);
    EXPECT_EQ(links(build, build.context()), (std::vector<std::uint32_t>{0, 2}));
}

TEST(LinkList, MoreItemsThanTheArraysHoldAreRefused)
{
    TestBuild build;
    build.addItem(VINTREL_FORM, "a");
    const long before = QrlGlobalLiveBlocks();
    build.context()->itemCount = VINTREL_MAX_BLOCKS + 1;
    EXPECT_EQ(BuildLinkList(build.context()), 0);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before);
    EXPECT_TRUE(build.progress().empty());
    build.context()->itemCount = 1;
}

TEST(LinkList, WorksWithoutAProgressCallback)
{
    TestBuild build;
    build.addItem(VINTREL_FORM, "a");
    build.context()->progressCallback = nullptr;
    EXPECT_EQ(BuildLinkList(build.context()), 1);
    EXPECT_EQ(BuildSlotList(build.context(), VINTREL_SRAM_CARD), 1);
}

TEST(LinkList, FailedAllocationKeepsTheLinksMadeAndRemovingThemTwiceIsHarmless)
{
    TestBuild build;
    for (int i = 0; i < 4; ++i)
        build.addItem(VINTREL_FORM, "f");
    BuildContext* context = build.context();
    const long before = QrlGlobalLiveBlocks();

    QrlGlobalSetFaults(3, 0);
    EXPECT_EQ(BuildLinkList(context), 0);
    QrlGlobalSetFaults(0, 0);
    EXPECT_EQ(context->linkCount, 2u);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before + 2);

    EXPECT_EQ(RemoveLinkList(context), 1);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before);
    EXPECT_EQ(context->linkCount, 2u);
    EXPECT_EQ(context->linkBlocks[0], nullptr);
    EXPECT_EQ(RemoveLinkList(context), 1);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before);
}

TEST(LinkList, SlotBlockThatCannotBeLockedIsFreed)
{
    TestBuild build;
    build.addItem(VINTREL_FORM, "a");
    build.addItem(VINTREL_FORM, "b");
    BuildContext* context = build.context();
    ASSERT_EQ(BuildLinkList(context), 1);
    const long before = QrlGlobalLiveBlocks();

    QrlGlobalSetFaults(0, 2); // the second slot's lock
    EXPECT_EQ(BuildSlotList(context, VINTREL_SRAM_CARD), 0);
    QrlGlobalSetFaults(0, 0);
    EXPECT_EQ(context->slotCount, 1u);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before + 1);
    EXPECT_EQ(RemoveSlotList(context), 1);
    EXPECT_EQ(RemoveSlotList(context), 1);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before);
    EXPECT_EQ(context->slotCount, 1u);
}

} // namespace
