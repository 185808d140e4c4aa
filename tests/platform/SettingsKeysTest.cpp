#include "SettingsKeys.h"
#include "MemoryProfile.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using namespace qrl::settings;

// The keys reach the store under the section and value name as spelled there, so a profile
// written by an earlier run reads the same.
TEST(SettingsKeys, ReadAndWriteUseTheStoredSpellingAndTheTablesDefault)
{
    qrl::MemoryProfile store;
    EXPECT_EQ(qrl::read(store, kLogAppend), 1);
    EXPECT_FALSE(qrl::isStored(store, kLogAppend));
    store.setInt(QStringLiteral("Settings"), QStringLiteral("LogAppend"), 0);
    EXPECT_TRUE(qrl::isStored(store, kLogAppend));
    EXPECT_EQ(qrl::read(store, kLogAppend), 0);

    EXPECT_TRUE(qrl::read(store, kLastProject).isNull());
    ASSERT_TRUE(qrl::write(store, kLastProject, QStringLiteral("/p/a.qrl")));
    EXPECT_EQ(store.getString(QStringLiteral("Settings"), QStringLiteral("Last Project")),
              QStringLiteral("/p/a.qrl"));
    ASSERT_TRUE(qrl::write(store, kPrintToolsOptions, 5));
    EXPECT_EQ(store.valueNames(QStringLiteral("Options")), QStringList{QStringLiteral("PrintToolsOptions")});
}

TEST(SettingsKeys, TheOverloadsWithoutAStoreUseTheProgramsProfile)
{
    qrl::test::ScopedProfile profile;
    EXPECT_EQ(qrl::read(kPrintToolsOptions), static_cast<int>(0x80000000u));
    ASSERT_TRUE(qrl::write(kFontIdMessages, 1));
    EXPECT_EQ(profile.getInt(QStringLiteral("Settings"), QStringLiteral("Font ID Messages"), 0), 1);
    ASSERT_TRUE(qrl::write(kVorlPrinter, QStringLiteral("lp")));
    EXPECT_EQ(qrl::read(kVorlPrinter), QStringLiteral("lp"));
}

TEST(SettingsKeys, NumberedEntriesAreNamedAsStored)
{
    EXPECT_EQ(recentFileEntry(0), QStringLiteral("File1"));
    EXPECT_EQ(recentFileEntry(3), QStringLiteral("File4"));
    EXPECT_EQ(fileMapEntry(0), QStringLiteral("Map #0"));
    EXPECT_EQ(fileMapEntry(12), QStringLiteral("Map #12"));
}

} // namespace
