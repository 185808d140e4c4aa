// How often the user's actions rewrite the settings file: a start, the preferences' OK and a quit
// each reach the disk in one synced write, counted by the folder's own change events.
#include "BuildSettings.h"
#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "CSendPrintToolsSettings.h"
#include "ModalSteps.h"
#include "QtAppShell.h"
#include "Replaceable.h"
#include "ScriptedUserInterface.h"
#include "SettingsProfile.h"
#include "TempCwd.h"
#include "VorlDownloaderSettings.h"
#include "WriteFaults.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Counts the times a file of a folder is put in place (renamed onto) or written in place and closed;
// an open for writing that writes nothing is no rewrite.
class RewriteCounter {
public:
    RewriteCounter(const std::string& folder, std::string name) : m_name(std::move(name))
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            inotify_add_watch(m_fd, folder.c_str(), IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE);
    }
    ~RewriteCounter()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool watching() const { return m_fd >= 0; }

    int rewrites()
    {
        alignas(inotify_event) char buffer[16384];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + n;) {
                inotify_event event;
                std::memcpy(&event, p, sizeof event);
                if (event.len > 0 && m_name == p + sizeof event) {
                    if (event.mask & IN_MODIFY)
                        m_modified = true;
                    if ((event.mask & IN_MOVED_TO) || ((event.mask & IN_CLOSE_WRITE) && m_modified))
                        ++m_count;
                    if (event.mask & (IN_MOVED_TO | IN_CLOSE_WRITE))
                        m_modified = false;
                }
                p += sizeof event + event.len;
            }
        }
        return m_count;
    }

private:
    std::string m_name;
    int m_fd = -1;
    int m_count = 0;
    bool m_modified = false;
};

constexpr const char* kSettingsName = "Quorlyn32.conf";

// A folder of its own for the settings file, under the test's working folder.
std::string settingsFolder(const qrl::test::TempCwd& cwd)
{
    const std::string folder = cwd.file("config");
    std::filesystem::create_directory(folder);
    return folder;
}

} // namespace

TEST(SettingsWrites, AFirstStartThePreferencesOkAndAQuitWriteOnceEach)
{
    struct Case {
        const char* name;
        bool preferences;
        int mostRewrites;
    };
    for (const Case& c :
         {Case{"start and quit", false, 2}, Case{"start, preferences OK and quit", true, 3}}) {
        SCOPED_TRACE(c.name);
        qrl::test::TempCwd cwd;
        const std::string folder = settingsFolder(cwd);
        RewriteCounter counter(folder, kSettingsName);
        ASSERT_TRUE(counter.watching());
        qrl::test::ScriptedUserInterface ui;
        const qrl::test::SyncCalls before = qrl::test::syncCalls();
        {
            qrl::SettingsProfile profile(QString::fromStdString(folder + "/" + kSettingsName));
            const qrl::ScopedReplacement<qrl::Profile> installed(qrl::setProfile, &profile);
            CQuorlyn32App app;
            QtAppShell shell;
            ASSERT_TRUE(app.InitInstance(shell, QStringLiteral(QUORLYN_BIN_DIR "/Quorlyn32"), {}));
            if (c.preferences) {
                bool accepted = false;
                qrl::test::onNextModal([&accepted](QWidget* sheet) {
                    auto* box = sheet->findChild<QDialogButtonBox*>();
                    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
                    accepted = !sheet->isVisible();
                });
                shell.mainFrame()->findChild<QAction*>(QStringLiteral("actionPreferences"))->trigger();
                EXPECT_TRUE(accepted);
            }
            shell.mainFrame()->close();
            app.ExitInstance();
        }
        const qrl::test::SyncCalls after = qrl::test::syncCalls();
        const int rewrites = counter.rewrites();
        const long syncs = after.dataSyncs + after.fullSyncs - before.dataSyncs - before.fullSyncs;
        std::cout << c.name << ": " << rewrites << " rewrites, " << syncs << " syncs\n";
        EXPECT_LE(rewrites, c.mostRewrites);
        EXPECT_TRUE(ui.shown().empty()) << ui.texts().join(QLatin1Char('|')).toStdString();
    }
}

TEST(SettingsWrites, AToolDialogsValuesGoToTheFileInOneWrite)
{
    struct Case {
        const char* name;
        bool (*save)();
    };
    const Case cases[] = {
        {"build dialog",
         [] {
             qrl::build::BuildSettings values;
             values.printer = QStringLiteral("PageRaw");
             return qrl::build::SaveBuildSettings(values);
         }},
        {"send dialog",
         [] {
             CSendPrintToolsSettings values;
             values.printer = QStringLiteral("PageRaw");
             values.tarnwick = true;
             return CSendPrintToolsSettings::write(values);
         }},
        {"font downloader",
         [] {
             VorlDownloaderSettings values = VorlDownloaderSettings::load(true);
             values.printer = QStringLiteral("PageRaw");
             return values.save();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qrl::test::TempCwd cwd;
        const std::string folder = settingsFolder(cwd);
        RewriteCounter counter(folder, kSettingsName);
        ASSERT_TRUE(counter.watching());
        qrl::test::ScriptedUserInterface ui;
        qrl::SettingsProfile profile(QString::fromStdString(folder + "/" + kSettingsName));
        const qrl::ScopedReplacement<qrl::Profile> installed(qrl::setProfile, &profile);
        EXPECT_TRUE(c.save());
        EXPECT_EQ(counter.rewrites(), 1);
        EXPECT_TRUE(ui.shown().empty());
    }
}
