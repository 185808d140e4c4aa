#include "CQuorlyn32App.h"
#include "CWinPlacement.h"
#include "RecordingShell.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QString kSettings = QStringLiteral("Settings");

// A start-up in a fresh current directory with an in-memory profile and a program "installed" in
// its own directory, so the ini file and catalogues can be placed beside it.
class AppStartup : public ::testing::Test {
protected:
    AppStartup()
    {
        qrl::test::ensureCoreApplication();
        QDir().mkpath(programDir());
    }
    QString programDir() const { return QString::fromStdString(m_cwd.path()) + QStringLiteral("/prog"); }
    QString programPath() const
    {
        // The test binary carries no version record; the library beside it does.
        return QStringLiteral(QUORLYN_BIN_DIR "/libvintrel.so");
    }
    bool start(const QStringList& args = {})
    {
        m_started = m_app.InitInstance(m_shell, programPath(), args);
        return m_started;
    }
    void TearDown() override { m_app.ExitInstance(); }
    QString log(const QString& name = QStringLiteral("Quorlyn32.log")) const
    {
        return QString::fromStdString(qrl::test::readFile(m_cwd.file(name.toStdString())));
    }

    qrl::test::TempCwd m_cwd;
    qrl::test::ScopedProfile m_profile;
    qrl::test::ScriptedUserInterface m_ui;
    RecordingShell m_shell;
    CQuorlyn32App m_app;
    bool m_started = false;
};

} // namespace

TEST_F(AppStartup, FirstRunResetsPlacementsOpensANewProjectAndLogsNothing)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(m_app.versionChanged(), 1);
    EXPECT_EQ(m_profile.getInt("Options", "VorlDownloaderOptions", 0), 6);
    for (const char* section :
         {"Bitmap To Macro", "Build", "Call Macro", "Ccpy Creator", "Emcr Creator", "Vorl Font Downloader",
          "Macro Edit", "Print Tools", "Resource Preferences", "Send Print Tools", "File Locations",
          "Property Pages", "Project Settings", "About Dialog"})
        EXPECT_EQ(m_profile.getString(section, "WinPlacement"), QStringLiteral("0,1,-1,-1,-1,-1,-1,-1,-1,-1"))
            << section;
    EXPECT_EQ(m_profile.getInt("About Dialog", "versionNew", 0), 1);
    EXPECT_EQ(m_profile.getInt("About Dialog", "detailsView", 1), 0);
    EXPECT_EQ(m_shell.calls, (QStringList{"imageLists", "mainFrame", "show:Quorlyn for Windows", "new"}));
    EXPECT_FALSE(QFile::exists("Quorlyn32.log"));
    EXPECT_TRUE(m_ui.shown().isEmpty());
    m_app.ExitInstance();
    EXPECT_EQ(m_profile.getString(kSettings, "version"), QStringLiteral(QUORLYN_VERSION_TEXT));
    EXPECT_EQ(m_profile.valueNames("File Mappings").size(), 10);
}

TEST_F(AppStartup, SameVersionRestoresTheMainPlacementAndResetsNothing)
{
    m_profile.setString(kSettings, "version", QUORLYN_VERSION_TEXT);
    m_profile.setString(kSettings, "WinPlacement", "0,3,-1,-1,-1,-1,10,20,810,620");
    m_profile.setString("Build", "WinPlacement", "0,1,-1,-1,-1,-1,1,2,3,4");
    ASSERT_TRUE(start());
    EXPECT_EQ(m_app.versionChanged(), 0);
    ASSERT_TRUE(m_shell.calls.contains("placement"));
    EXPECT_EQ(m_shell.applied.showCommand, qrl::WindowPlacement::kShowMaximized);
    EXPECT_EQ(m_shell.applied.right, 810);
    EXPECT_EQ(m_profile.getString("Build", "WinPlacement"), QStringLiteral("0,1,-1,-1,-1,-1,1,2,3,4"));
    EXPECT_FALSE(m_profile.contains("Options", "VorlDownloaderOptions"));
}

TEST_F(AppStartup, StartUpOptionChoosesTheFirstDocument)
{
    qrl::test::writeFile("last.prj", "x");
    const QString last = QDir::current().filePath("last.prj");
    struct Case {
        int option;
        QString lastProject;
        QStringList args;
        QString expected;
    };
    const Case cases[] = {
        {0, last, {}, "open:" + last},
        {0, QDir::current().filePath("deleted.prj"), {}, ""},
        {0, "", {}, ""},
        {1, last, {}, "new"},
        {2, last, {}, ""},
        {7, last, {}, "new"},
        {2, last, {"/some/where.prj"}, "open:/some/where.prj"},
    };
    for (const Case& c : cases) {
        qrl::test::ScopedProfile profile;
        profile.setString(kSettings, "version", QUORLYN_VERSION_TEXT);
        profile.setInt(kSettings, "StartUp Options", c.option);
        profile.setString(kSettings, "Last Project", c.lastProject);
        RecordingShell shell;
        CQuorlyn32App app;
        ASSERT_TRUE(app.InitInstance(shell, programPath(), c.args));
        QStringList documents = shell.calls.filter(QRegularExpression("^(new|open:)"));
        EXPECT_EQ(documents.join(','), c.expected) << c.option << " " << c.lastProject.toStdString();
        app.ExitInstance();
    }
}

TEST_F(AppStartup, LogNamesFollowLogAppend)
{
    struct Case {
        int append;
        std::vector<std::string> present;
        std::string chosen;
        bool keepsOldText;
        bool links = false; // links at the first two names, to "target.txt" and to a missing file
    };
    const Case cases[] = {
        {0, {"Quorlyn32.log", "Quorlyn32_2.log"}, "Quorlyn32_3.log", false},
        {0, {}, "Quorlyn32.log", false},
        {1, {"Quorlyn32.log"}, "Quorlyn32.log", true},
        {2, {"Quorlyn32.log"}, "Quorlyn32.log", false},
        {0, {"target.txt"}, "Quorlyn32_3.log", false, true},
        {1, {"target.txt"}, "Quorlyn32_3.log", false, true},
    };
    for (const Case& c : cases) {
        qrl::test::TempCwd cwd;
        for (const std::string& name : c.present)
            qrl::test::writeFile(name, "old text\r\n");
        if (c.links) {
            std::filesystem::create_symlink("target.txt", "Quorlyn32.log");
            std::filesystem::create_symlink("absent.txt", "Quorlyn32_2.log");
        }
        qrl::test::ScopedProfile profile;
        profile.setInt(kSettings, "LogLevel", 1);
        profile.setInt(kSettings, "LogAppend", c.append);
        RecordingShell shell;
        CQuorlyn32App app;
        ASSERT_TRUE(app.InitInstance(shell, programPath(), {}));
        app.ExitInstance();
        const std::string text = qrl::test::readFile(c.chosen);
        EXPECT_EQ(text.rfind("old text", 0) == 0, c.keepsOldText) << c.chosen;
        EXPECT_NE(text.find("***** Starting ***** Log file successfully opened: " + c.chosen + "\r\n"),
                  std::string::npos);
        EXPECT_NE(text.find("Application's Version : " QUORLYN_VERSION_TEXT "\r\n"), std::string::npos);
        EXPECT_NE(text.find("Application has changed version : " QUORLYN_VERSION_TEXT), std::string::npos);
        EXPECT_NE(text.find("***** Ending ***** Log file is about closing.\r\n"), std::string::npos);
        for (const std::string& name : c.present) {
            if (name != c.chosen) {
                EXPECT_EQ(qrl::test::readFile(name), "old text\r\n") << name;
            }
        }
        EXPECT_FALSE(std::filesystem::exists("absent.txt"));
    }
}

TEST_F(AppStartup, AllNumberedLogNamesTakenAppendsToTheLast)
{
    qrl::test::writeFile("Quorlyn32.log", "");
    for (int n = 2; n <= 1024; ++n)
        qrl::test::writeFile("Quorlyn32_" + std::to_string(n) + ".log", n == 1024 ? "kept\r\n" : "");
    m_profile.setInt(kSettings, "LogLevel", 1);
    m_profile.setInt(kSettings, "LogAppend", 0);
    ASSERT_TRUE(start());
    m_app.ExitInstance();
    EXPECT_TRUE(log("Quorlyn32_1024.log").startsWith("kept\r\n"));
}

TEST_F(AppStartup, UnwritableLogSwitchesLoggingOff)
{
    // A folder at every name the log may take.
    QDir().mkdir("Quorlyn32.log");
    for (int n = 2; n <= 1024; ++n)
        QDir().mkdir(QStringLiteral("Quorlyn32_%1.log").arg(n));
    m_profile.setInt(kSettings, "LogLevel", 3);
    ASSERT_TRUE(start());
    EXPECT_EQ(m_app.LogLevel(), 0);
    EXPECT_FALSE(m_app.logs(1));
    EXPECT_TRUE(m_ui.shown().isEmpty());
}

TEST_F(AppStartup, LanguageFromTheIniFileBeforeTheProfile)
{
    struct Case {
        const char* ini;
        int profileId;
        int expected;
    };
    const Case cases[] = {{"7", 12, 7}, {"0", 12, 12}, {nullptr, 12, 12}, {nullptr, 0, 0}};
    for (const Case& c : cases) {
        QFile::remove(programDir() + "/Quorlyn32.ini");
        if (c.ini)
            qrl::test::writeFile((programDir() + "/Quorlyn32.ini").toStdString(),
                                 std::string("[Settings]\ndefaultLanguage=") + c.ini + "\n");
        qrl::test::ScopedProfile profile;
        profile.setInt(kSettings, "defaultLanguage", c.profileId);
        RecordingShell shell;
        CQuorlyn32App app;
        // The program lives in prog/, so the ini file beside it is found.
        ASSERT_TRUE(app.InitInstance(shell, programDir() + "/Quorlyn32", {}));
        EXPECT_EQ(app.languageId(), c.expected) << (c.ini ? c.ini : "none");
        // No catalogue beside the program: English stays, the help file is the default one.
        EXPECT_TRUE(app.languageLibraryName().isEmpty());
        EXPECT_EQ(app.helpFileName(), programDir() + "/Quorlyn32.html");
        EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn for Windows"));
        app.ExitInstance();
    }
}

TEST_F(AppStartup, FailuresEndTheStartUp)
{
    m_shell.frameCreates = false;
    EXPECT_FALSE(start());
    EXPECT_TRUE(m_ui.shown().isEmpty());

    // A profile that cannot be written on a first run: the map cannot be set up, message 2206,
    // and shutdown does not wipe the stored mappings with an unloaded map.
    qrl::test::ScopedProfile broken;
    broken.setString("File Mappings", "Map #0", "abc;FONT;True Type Font");
    broken.setFailWrites(true);
    RecordingShell shell;
    CQuorlyn32App app;
    EXPECT_FALSE(app.InitInstance(shell, programPath(), {}));
    EXPECT_EQ(m_ui.texts().last(), qrl::text(2206));
    app.ExitInstance();
    broken.setFailWrites(false);
    EXPECT_EQ(broken.getString("File Mappings", "Map #0"), QStringLiteral("abc;FONT;True Type Font"));
}

TEST_F(AppStartup, ImportFlagIsClearedWhenTheOpenIsCancelled)
{
    ASSERT_TRUE(start());
    m_app.OnFileImportDos();
    EXPECT_TRUE(m_shell.calls.contains("fileOpen"));
    EXPECT_EQ(m_app.dosImport(), 0);
}

TEST_F(AppStartup, OpenCommandUsesTheProjectsDirectory)
{
    ASSERT_TRUE(start());
    const QString projects = QString::fromStdString(m_cwd.path()) + "/projects";
    QDir().mkpath(projects);
    m_app.SetProjectsDirectory(projects);
    m_ui.file(projects + "/a.prj");
    m_app.OnFileOpen();
    ASSERT_EQ(m_ui.dialogs().size(), 1);
    EXPECT_EQ(m_ui.dialogs()[0].request.title, QStringLiteral("Open Project"));
    EXPECT_EQ(m_ui.dialogs()[0].request.directory, projects);
    EXPECT_EQ(QDir::currentPath(), projects);
    EXPECT_EQ(m_shell.calls.last(), "open:" + projects + "/a.prj");
    EXPECT_EQ(m_app.GetDirectoryForSubtype(6), m_app.GetMacrosDirectory());
}

TEST_F(AppStartup, ACatalogueBesideTheProgramReplacesTheTextsAndNoOtherIsLoaded)
{
#ifndef QUORLYN_TEST_CATALOGUE
    GTEST_SKIP() << "lrelease was not found, so there is no test catalogue";
#else
    qrl::test::writeFile((programDir() + "/Quorlyn32.ini").toStdString(), "[Settings]\ndefaultLanguage=7\n");
    // A catalogue planted in the current directory is never looked at.
    ASSERT_TRUE(QFile::copy(QUORLYN_TEST_CATALOGUE, "QrlynDeu.qm"));
    {
        RecordingShell shell;
        CQuorlyn32App app;
        ASSERT_TRUE(app.InitInstance(shell, programDir() + "/Quorlyn32", {}));
        EXPECT_TRUE(app.languageLibraryName().isEmpty());
        EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn for Windows"));
        app.ExitInstance();
    }
    ASSERT_TRUE(QFile::copy(QUORLYN_TEST_CATALOGUE, programDir() + "/QrlynDeu.qm"));
    RecordingShell shell;
    CQuorlyn32App app;
    ASSERT_TRUE(app.InitInstance(shell, programDir() + "/Quorlyn32", {}));
    EXPECT_EQ(app.languageLibraryName(), programDir() + "/QrlynDeu.qm");
    EXPECT_EQ(app.helpFileName(), programDir() + "/QrlynDeu.html");
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn für Windows"));
    EXPECT_EQ(shell.calls.filter("show:").value(0), QStringLiteral("show:Quorlyn für Windows"));
    app.ExitInstance();
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn for Windows"));
#endif
}

TEST_F(AppStartup, AnInstalledProgramReadsItsIniAndCatalogueFromTheSharedDataFolder)
{
#ifndef QUORLYN_TEST_CATALOGUE
    GTEST_SKIP() << "lrelease was not found, so there is no test catalogue";
#else
    const QString prefix = QString::fromStdString(m_cwd.path()) + QStringLiteral("/usr");
    const QString data = prefix + QStringLiteral("/share/quorlyn32/");
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/bin")));
    ASSERT_TRUE(QDir().mkpath(data));
    qrl::test::writeFile((data + "Quorlyn32.ini").toStdString(), "[Settings]\ndefaultLanguage=7\n");
    ASSERT_TRUE(QFile::copy(QUORLYN_TEST_CATALOGUE, data + "QrlynDeu.qm"));
    RecordingShell shell;
    CQuorlyn32App app;
    ASSERT_TRUE(app.InitInstance(shell, prefix + QStringLiteral("/bin/Quorlyn32"), {}));
    EXPECT_EQ(app.languageLibraryName(), data + "QrlynDeu.qm");
    EXPECT_EQ(qrl::text(2312), QStringLiteral("Quorlyn für Windows"));
    app.ExitInstance();
#endif
}
