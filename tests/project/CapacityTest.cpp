#include "CProjSett.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QStringList>

#include <optional>

#include <gtest/gtest.h>

TEST(Capacity, CardMediaAreBoundedOthersAreNot)
{
    struct Case {
        StorageMedium medium;
        int sizeIndex;
        std::uint32_t custom;
        std::uint64_t total;
        std::uint64_t add;
        bool fits;
        QString pane;
    };
    const QString card = qrl::text(2270);
    const QString disk = qrl::text(2271);
    const Case cases[] = {
        // A 32 KB card with 33000 bytes does not fit; exactly full fits with 0 KB free.
        {kSramCard, 0, 0, 32000, 1000, false, qrl::formatText(card, {3u, 32u, 32u, 0u})},
        {kCompactFlashCard, 0, 0, 32000, 768, true, qrl::formatText(card, {3u, 32u, 32u, 0u})},
        // The custom index takes the custom size.
        {kJeidaCard, 23, 96 * 1024, 10 * 1024, 0, true, qrl::formatText(card, {3u, 96u, 10u, 86u})},
        // 256 files of 32 MB pass 4 GiB: summed in 64 bits they never wrap into a 128 MB card.
        {kOtpCard, 22, 0, 256ull * 32 * 1024 * 1024, 0, false, QString()},
        {kHardDisk, 0, 0, 5ull << 30, 0, true, qrl::formatText(disk, {3u, 5242880u})},
        {kEprom, 0, 0, 1023, 0, true, qrl::formatText(disk, {3u, 0u})},
    };
    for (const Case& c : cases) {
        CProjSett s;
        s.m_medium = c.medium;
        s.m_storageSizeIndex = static_cast<std::uint16_t>(c.sizeIndex);
        s.m_customSize = c.custom;
        const CapacityCheck check = checkCapacity(s, 3, c.total, c.add);
        EXPECT_EQ(check.fits, c.fits) << int{mediumNumber(c.medium)} << " " << c.total;
        if (!c.pane.isEmpty()) {
            EXPECT_EQ(check.paneText, c.pane) << int{mediumNumber(c.medium)} << " " << c.total;
        }
    }
}

TEST(Capacity, MediumNumbersRoundTripAndOthersNameNoMedium)
{
    const struct {
        int number;
        std::optional<StorageMedium> medium;
    } cases[] = {
        {0, kSramCard},         {1, kJeidaCard},  {2, kOtpCard},     {3, kEprom},         {4, kHardDisk},
        {5, kCompactFlashCard}, {6, kMicroDrive}, {7, std::nullopt}, {255, std::nullopt}, {-1, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mediumOfNumber(c.number), c.medium) << c.number;
        if (c.medium) {
            EXPECT_EQ(mediumNumber(*c.medium), c.number);
        }
    }
}

TEST(Capacity, StorageSizeNamesAndBytes)
{
    CProjSett s;
    QString name;
    QStringList names;
    while (s.GetNextSizeName(name))
        names << name;
    ASSERT_EQ(names.size(), 24);
    EXPECT_EQ(names.first(), QStringLiteral("32 KB"));
    EXPECT_EQ(names[22], QStringLiteral("128 MB"));
    EXPECT_EQ(names.last(), QStringLiteral("Custom..."));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_TRUE(s.GetNextSizeName(name)); // the cursor starts over
    EXPECT_EQ(StorageSizeTable::bytes(22), 134217728u);
    EXPECT_EQ(StorageSizeTable::bytes(23), 0u);
    EXPECT_EQ(StorageSizeTable::bytes(40), 40u);
}
