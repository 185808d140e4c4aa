#include "MemoryProfile.h"
#include "RecentFileList.h"
#include "SettingsProfile.h"
#include "TempCwd.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Both stores must behave alike: the logic is tested on the in-memory one.
class ProfileContract : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam())
            m_profile = std::make_unique<qrl::SettingsProfile>(QString::fromStdString(m_dir.file("p.conf")));
        else
            m_profile = std::make_unique<qrl::MemoryProfile>();
    }
    qrl::test::TempDirectory m_dir;
    std::unique_ptr<qrl::Profile> m_profile;
};

} // namespace

TEST_P(ProfileContract, ValuesBySectionAndName)
{
    qrl::Profile& p = *m_profile;
    EXPECT_EQ(p.getInt("Settings", "LogLevel", 7), 7);
    EXPECT_FALSE(p.contains("Settings", "LogLevel"));
    ASSERT_TRUE(p.setInt("Settings", "LogLevel", 3));
    ASSERT_TRUE(p.setString("Settings", "StartUp Options", "x y"));
    ASSERT_TRUE(p.setString("File Mappings", "Map #1", "ttf;FONT;True Type Font"));
    ASSERT_TRUE(p.setString("File Mappings", "Map #2", "a/b\\c"));
    EXPECT_EQ(p.getInt("Settings", "LogLevel", 0), 3);
    EXPECT_EQ(p.getString("Settings", "StartUp Options"), QStringLiteral("x y"));
    EXPECT_EQ(p.getString("File Mappings", "Map #2"), QStringLiteral("a/b\\c"));
    // A text where a number is expected gives the default.
    EXPECT_EQ(p.getInt("Settings", "StartUp Options", -5), -5);
    EXPECT_EQ(p.valueNames("File Mappings").size(), 2);
    ASSERT_TRUE(p.removeSection("File Mappings"));
    EXPECT_FALSE(p.contains("File Mappings", "Map #1"));
    EXPECT_TRUE(p.contains("Settings", "LogLevel"));
    ASSERT_TRUE(p.removeValue("Settings", "LogLevel"));
    EXPECT_FALSE(p.contains("Settings", "LogLevel"));
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileContract, ::testing::Values(false, true));

TEST(SettingsProfile, SurvivesAReopen)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("p.conf"));
    {
        qrl::SettingsProfile p(path);
        ASSERT_TRUE(p.setString("Settings", "version", "1,0,0,1"));
    }
    qrl::SettingsProfile again(path);
    EXPECT_EQ(again.getString("Settings", "version"), QStringLiteral("1,0,0,1"));
}

TEST(RecentFileList, KeepsFourNewestFirst)
{
    qrl::MemoryProfile profile;
    qrl::RecentFileList list;
    for (const char* p : {"/a.prj", "/b.prj", "/c.prj", "/d.prj", "/e.prj", "/c.prj"})
        list.add(QString::fromLatin1(p));
    EXPECT_EQ(list.entries(), (QStringList{"/c.prj", "/e.prj", "/d.prj", "/b.prj"}));
    ASSERT_TRUE(list.save(profile));
    list.remove("/e.prj");
    ASSERT_TRUE(list.save(profile));
    qrl::RecentFileList loaded;
    loaded.load(profile);
    EXPECT_EQ(loaded.entries(), (QStringList{"/c.prj", "/d.prj", "/b.prj"}));
    EXPECT_FALSE(profile.contains("Recent File List", "File4"));
}
