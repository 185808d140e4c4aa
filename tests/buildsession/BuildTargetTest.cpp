// Target, card type and medium: what each target switch writes into the project.
#include "BuildTarget.h"
#include "BuildContextBlocks.h"
#include "BuildSession.h"
#include "MemoryFaults.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qrl::build;

namespace {

CProjSett settingsOn(StorageMedium medium, int extra = 0)
{
    CProjSett settings;
    settings.m_medium = medium;
    settings.m_extraSettings = static_cast<std::uint16_t>(extra);
    settings.m_storageSizeIndex = 10;
    return settings;
}

} // namespace

TEST(BuildTarget, TheDialogOpensOnTheTargetOfTheMedium)
{
    struct Case {
        StorageMedium medium;
        BuildTarget target;
        const char* cardType;
    };
    const Case cases[] = {
        {kSramCard, BuildTarget::Card, "SRAM"}, {kJeidaCard, BuildTarget::Card, "JEIDA"},
        {kOtpCard, BuildTarget::Card, "OTP"},   {kCompactFlashCard, BuildTarget::Card, "Compact"},
        {kEprom, BuildTarget::Eprom, ""},       {kHardDisk, BuildTarget::Disk, ""},
        {kMicroDrive, BuildTarget::Disk, ""},   {static_cast<StorageMedium>(9), BuildTarget::Card, "Compact"},
    };
    for (const Case& c : cases) {
        QString cardType = QStringLiteral("stale");
        EXPECT_EQ(targetOfMedium(c.medium, cardType), c.target) << static_cast<int>(c.medium);
        EXPECT_EQ(cardType, QString::fromLatin1(c.cardType)) << static_cast<int>(c.medium);
    }
}

TEST(BuildTarget, EverySwitchWritesTheMediumItBuildsFor)
{
    struct Step {
        BuildTarget target;
        StorageMedium medium;
        int extra;
        bool modified;
    };
    struct Case {
        const char* what;
        StorageMedium startMedium;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"card, EPROM, card",
         kCompactFlashCard,
         {{BuildTarget::Eprom, kEprom, 3, true}, {BuildTarget::Card, kCompactFlashCard, 3, true}}},
        {"card, disk, card",
         kSramCard,
         {{BuildTarget::Disk, kHardDisk, 4, true}, {BuildTarget::Card, kSramCard, 4, true}}},
        {"card image and back",
         kCompactFlashCard,
         {{BuildTarget::CardImage, kJeidaCard, 0, true}, {BuildTarget::Card, kJeidaCard, 0, true}}},
        {"micro drive kept",
         kMicroDrive,
         {{BuildTarget::Disk, kMicroDrive, 0, false},
          {BuildTarget::Eprom, kEprom, 3, true},
          {BuildTarget::Disk, kHardDisk, 4, true}}},
        {"opening changes nothing", kOtpCard, {{BuildTarget::Card, kOtpCard, 0, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CProjSett settings = settingsOn(c.startMedium);
        TargetState state;
        state.target = targetOfMedium(c.startMedium, state.cardType);
        state.lastTarget = state.target;
        for (const Step& step : c.steps) {
            state.target = step.target;
            const TargetChange change = switchTarget(state, settings);
            EXPECT_EQ(settings.m_medium, step.medium) << "target " << indexOf(step.target);
            EXPECT_EQ(settings.m_extraSettings, step.extra) << "target " << indexOf(step.target);
            EXPECT_EQ(change.modified, step.modified) << "target " << indexOf(step.target);
            EXPECT_EQ(state.lastTarget, step.target);
            EXPECT_EQ(engineMedium(state.target, state.cardType, settings.m_medium), settings.m_medium);
        }
    }
}

TEST(BuildTarget, ATarnwickPrinterOrAMissingCardTypeGivesADefaultCompactFlashCard)
{
    for (const bool tarnwick : {true, false}) {
        CProjSett settings = settingsOn(tarnwick ? kSramCard : kEprom);
        TargetState state{BuildTarget::Card, tarnwick ? BuildTarget::Card : BuildTarget::Eprom,
                          tarnwick ? QStringLiteral("SRAM") : QString(), tarnwick};
        const TargetChange change = switchTarget(state, settings);
        EXPECT_EQ(state.cardType, QStringLiteral("Compact"));
        EXPECT_EQ(settings.m_medium, kCompactFlashCard);
        EXPECT_EQ(settings.m_storageSizeIndex, 22);
        EXPECT_TRUE(change.modified);
        EXPECT_TRUE(change.capacityChanged);
    }
}

TEST(BuildTarget, CapacityText)
{
    struct Case {
        int index;
        std::uint32_t custom;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "32 KB"},
        {5, 0, "1 MB"},
        {8, 0, "6 MB"},
        {22, 0, "128 MB"},
        {23, 3 * 1024 * 1024, "3 MB"},
        {23, 1536 * 1024, "1536 KB"},
        {23, 0, "0 KB"},
    };
    for (const Case& c : cases) {
        CProjSett settings;
        settings.m_storageSizeIndex = static_cast<std::uint16_t>(c.index);
        settings.m_customSize = c.custom;
        EXPECT_EQ(GetCapacityText(settings), QString::fromLatin1(c.text)) << c.index;
    }
}

TEST(BuildTarget, ExportNameDropsOnlyAProjectExtension)
{
    EXPECT_EQ(BuildSession::defaultExportName(QStringLiteral("demo.prj")), QStringLiteral("demo"));
    EXPECT_EQ(BuildSession::defaultExportName(QStringLiteral("OLD.PRJ")), QStringLiteral("OLD"));
    EXPECT_EQ(BuildSession::defaultExportName(QStringLiteral("Untitled")), QStringLiteral("Untitled"));
    EXPECT_EQ(BuildSession::defaultExportName(QStringLiteral("rom.hex")), QStringLiteral("rom.hex"));
}

TEST(BuildTarget, ItemBlocksCarryTheEngineType)
{
    const int expected[] = {0, 1, 2, 2, 3, 4, 5, 6, 7};
    for (int subtype = 0; subtype < 9; ++subtype)
        EXPECT_EQ(BuildContextBlocks::GetEngineResourceType(subtype), expected[subtype]);
    EXPECT_EQ(BuildContextBlocks::GetEngineResourceType(99), 255);

    const long live = QrlGlobalLiveBlocks();
    {
        BuildContextBlocks blocks;
        ItemRecord record;
        record.resourceType = 6;
        record.name = "ABCD";
        ASSERT_TRUE(blocks.AddItemRecord(record));
        const auto* bytes = static_cast<const unsigned char*>(QrlGlobalLock(blocks.get()->itemBlocks[0]));
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(bytes[0], 5);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 1)), "ABCD");
        QrlGlobalUnlock(blocks.get()->itemBlocks[0]);
        EXPECT_EQ(blocks.get()->itemCount, 1u);

        CProjSett custom;
        custom.m_storageSizeIndex = 23;
        custom.m_customSize = 5 * 32768;
        blocks.setStorageSize(custom);
        EXPECT_EQ(blocks.get()->sizeIndex, 24u);
        EXPECT_EQ(blocks.get()->customCapacity, 5u * 32768u);
        custom.m_storageSizeIndex = 4;
        blocks.setStorageSize(custom);
        EXPECT_EQ(blocks.get()->customCapacity, 0u);
    }
    EXPECT_EQ(QrlGlobalLiveBlocks(), live);
}
