#include "FileSave.h"
#include "MemoryProfile.h"
#include "RecentFileList.h"
#include "ScriptedUserInterface.h"
#include "SettingsProfile.h"
#include "SmallTmpfs.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TextFormat.h"
#include "TextIds.h"
#include "WriteFaults.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
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
    // A section is removed by its whole name: one whose name only begins with it stays.
    ASSERT_TRUE(p.setString("File Mappings Old", "Map #1", "fon;FONT;Old Font"));
    ASSERT_TRUE(p.removeSection("File Mappings"));
    EXPECT_FALSE(p.contains("File Mappings", "Map #1"));
    EXPECT_EQ(p.getString("File Mappings Old", "Map #1"), QStringLiteral("fon;FONT;Old Font"));
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

TEST(SettingsProfile, StoresTheFileAsQSettingsWritesIt)
{
    // Values that QSettings quotes, escapes or reads back as lists.
    const std::pair<const char*, QString> values[] = {
        {"File Mappings/Map #1", QStringLiteral("ttf;FONT;True Type Font")},
        {"File Mappings/Map #2", QStringLiteral("a, b")},
        {"Settings/Last Project", QStringLiteral(" /home/u/Projekt \"\u00e4\" =x")},
        {"Settings/version", QStringLiteral("@1,0,0,1")},
        {"Settings/WinPlacement", QStringLiteral("0,1,-1,-1,-1,-1,-1,-1,-1,-1")},
        {"Zentrix Printers/Line\nbreak", QStringLiteral("tab\there")},
    };
    qrl::test::TempDirectory dir;
    const QString earlier = QString::fromStdString(dir.file("earlier.conf"));
    const QString expected = QString::fromStdString(dir.file("expected.conf"));
    {
        QSettings byQt(earlier, QSettings::IniFormat);
        for (const auto& [key, value] : values)
            byQt.setValue(QString::fromLatin1(key), value);
        // A list as a file of today may hold it.
        byQt.setValue(QStringLiteral("Settings/List"), QStringList{"x", "y"});
    }
    QFile::copy(earlier, expected);
    {
        QSettings byQt(expected, QSettings::IniFormat);
        byQt.setValue(QStringLiteral("Settings/LogLevel"), QStringLiteral("2"));
    }
    qrl::SettingsProfile profile(earlier);
    for (const auto& [key, value] : values) {
        const QString k = QString::fromLatin1(key);
        EXPECT_EQ(profile.getString(k.section('/', 0, 0), k.section('/', 1)), value) << key;
    }
    ASSERT_TRUE(profile.setInt("Settings", "LogLevel", 2));
    EXPECT_EQ(qrl::test::readFile(earlier.toStdString()), qrl::test::readFile(expected.toStdString()));
}

// A write that does not reach the disk, injected or on a real full disk: the file still reads every
// value it held, the new value lives on in memory and the user is told once.
TEST(SettingsProfile, AFailedWriteKeepsEveryStoredValueAndTellsOnce)
{
    constexpr int kValues = 200;
    enum class Disk { FullAtFirstBlock, FullAtLaterBlock, RealFullDisk };
    for (const Disk disk : {Disk::FullAtFirstBlock, Disk::FullAtLaterBlock, Disk::RealFullDisk}) {
        SCOPED_TRACE(static_cast<int>(disk));
        qrl::test::TempDirectory dir;
        std::unique_ptr<qrl::test::SmallTmpfs> tmpfs;
        std::string file = dir.file("Quorlyn32.conf");
        if (disk == Disk::RealFullDisk) {
            tmpfs = std::make_unique<qrl::test::SmallTmpfs>(256 * 1024);
            if (!tmpfs->available()) {
                std::cout << "real full disk skipped: " << tmpfs->reason() << "\n";
                continue;
            }
            file = tmpfs->file("Quorlyn32.conf");
        }
        const QString path = QString::fromStdString(file);
        qrl::test::ScriptedUserInterface ui;
        qrl::SettingsProfile profile(path);
        for (int i = 0; i < kValues; ++i) {
            ASSERT_TRUE(profile.setString("File Mappings", QStringLiteral("Map #%1").arg(i),
                                          QStringLiteral("ext%1;FONT;Font").arg(i)));
        }
        const std::string stored = qrl::test::readFile(file);

        if (disk == Disk::RealFullDisk) {
            std::ofstream filler(tmpfs->file("filler"), std::ios::binary);
            const std::string block(4096, 'f');
            while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
                filler.flush();
        } else {
            qrl::injectWriteFault(disk == Disk::FullAtFirstBlock ? 0 : stored.size() / 2, ENOSPC);
        }
        EXPECT_FALSE(profile.setString("Settings", "version", "2,0,0,0"));
        EXPECT_FALSE(profile.removeValue("File Mappings", "Map #7"));
        qrl::clearInjectedWriteFault();

        EXPECT_EQ(qrl::test::readFile(file), stored);
        const qrl::SettingsProfile reread(path);
        EXPECT_EQ(reread.valueNames("File Mappings").size(), kValues);
        EXPECT_FALSE(reread.contains("Settings", "version"));
        EXPECT_EQ(profile.getString("Settings", "version"), QStringLiteral("2,0,0,0"));
        ASSERT_EQ(ui.shown().size(), 1);
        EXPECT_EQ(ui.shown()[0].icon, qrl::Icon::Warning);
        EXPECT_EQ(ui.texts()[0], qrl::formatText(qrl::text(qrl::ids::kSettingsNotSaved),
                                                 {qrl::writeFailureText(qrl::WriteError::DiskFull, path)}));
        if (disk == Disk::RealFullDisk)
            std::remove(tmpfs->file("filler").c_str());
        // Once there is room again, the next write stores what the failed ones could not.
        ASSERT_TRUE(profile.setInt("Settings", "LogLevel", 1));
        const qrl::SettingsProfile after(path);
        EXPECT_EQ(after.getString("Settings", "version"), QStringLiteral("2,0,0,0"));
        EXPECT_FALSE(after.contains("File Mappings", "Map #7"));
        EXPECT_EQ(after.valueNames("File Mappings").size(), kValues - 1);
        EXPECT_EQ(ui.shown().size(), 1);
    }
}

// Two instances on one profile: each store puts its own changes into what is on disk then, so
// neither undoes the other's values, removals included.
TEST(SettingsProfile, TwoInstancesKeepEachOthersValues)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    qrl::test::ScriptedUserInterface ui;
    {
        qrl::SettingsProfile seed(path);
        ASSERT_TRUE(seed.setString("Recent File List", "File1", "/old.prj"));
        ASSERT_TRUE(seed.setString("Mappings", "Map #1", "a"));
        ASSERT_TRUE(seed.setString("Mappings", "Map #2", "b"));
    }
    qrl::SettingsProfile a(path);
    qrl::SettingsProfile b(path);
    ASSERT_TRUE(b.setString("Options", "Units", "inch"));
    ASSERT_TRUE(a.setString("Recent File List", "File1", "/new.prj"));
    ASSERT_TRUE(b.removeValue("Mappings", "Map #1"));
    ASSERT_TRUE(a.removeSection("Mappings"));
    ASSERT_TRUE(b.setString("Mappings", "Map #3", "c"));

    const qrl::SettingsProfile stored(path);
    EXPECT_EQ(stored.getString("Options", "Units"), QStringLiteral("inch"));
    EXPECT_EQ(stored.getString("Recent File List", "File1"), QStringLiteral("/new.prj"));
    EXPECT_EQ(stored.valueNames("Mappings"), QStringList{QStringLiteral("Map #3")});
    // Each instance reads what it stored in the merge, and the lock file is gone.
    EXPECT_EQ(b.getString("Recent File List", "File1"), QStringLiteral("/new.prj"));
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"Quorlyn32.conf"});
    EXPECT_TRUE(ui.shown().empty());
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
