// The project window's rules without a window: enabling, the drag start, file lists, opening
// items, the companion programs and the project's title and close question.
#include "CQRLDropSrc.h"
#include "CQuorlyn32App.h"
#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "DesktopLauncher.h"
#include "DocumentRoads.h"
#include "FileListMime.h"
#include "ItemOpener.h"
#include "ViewCommandRules.h"
#include "ViewTestSupport.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

using qrl::test::viewtest::RecordingLauncher;
using qrl::test::viewtest::ViewTest;

TEST(ViewRules, CommandsFollowTheSelectionTheItemsTheClipboardAndTheModifiedMark)
{
    using qrl::viewcommands::isEnabled;
    const qrl::viewcommands::ViewState none{};
    qrl::viewcommands::ViewState all{true, true, true, true, qrl::viewcommands::kDetails};
    const int onSelection[] = {qrl::cmd::kProperties,  qrl::cmd::kEditCopy, qrl::cmd::kEditCut,
                               qrl::cmd::kDeleteItems, qrl::cmd::kOpenItem, qrl::cmd::kRename,
                               qrl::cmd::kDeleteItem,  qrl::cmd::kCopyItems};
    for (const int id : onSelection) {
        EXPECT_FALSE(isEnabled(id, none)) << id;
        EXPECT_TRUE(isEnabled(id, all)) << id;
    }
    const int always[] = {qrl::cmd::kAddResource,        qrl::cmd::kAddResourceHere, qrl::cmd::kPrinterTools,
                          qrl::cmd::kEmcrCreator,        qrl::cmd::kLargeIcons,      qrl::cmd::kPopupDetails,
                          qrl::cmd::kFirstCompanion + 5, qrl::cmd::kCompanionByName};
    for (const int id : always)
        EXPECT_TRUE(isEnabled(id, none)) << id;
    qrl::viewcommands::ViewState only = none;
    only.hasItems = true;
    EXPECT_TRUE(isEnabled(qrl::cmd::kSelectAll, only));
    EXPECT_FALSE(isEnabled(qrl::cmd::kSelectAll, none));
    only = none;
    only.clipboardHasFiles = true;
    EXPECT_TRUE(isEnabled(qrl::cmd::kPasteHere, only) && isEnabled(qrl::cmd::kEditPaste, only));
    EXPECT_FALSE(isEnabled(qrl::cmd::kPasteHere, none));
    only = none;
    only.modified = true;
    EXPECT_TRUE(isEnabled(qrl::cmd::kSaveProject, only));
    EXPECT_FALSE(isEnabled(qrl::cmd::kSaveProject, none));
    only = all;
    only.openable = false;
    EXPECT_FALSE(isEnabled(qrl::cmd::kOpenItem, only));
    EXPECT_TRUE(isEnabled(qrl::cmd::kRename, only));
    // The frame's own commands are not the list's.
    EXPECT_FALSE(qrl::viewcommands::isViewCommand(qrl::cmd::kBuild));
    EXPECT_FALSE(qrl::viewcommands::isViewCommand(qrl::cmd::kFileSave));

    // The mode's check mark, on the window menu's command and on the popup's.
    EXPECT_TRUE(qrl::viewcommands::isChecked(qrl::cmd::kDetails, all));
    EXPECT_TRUE(qrl::viewcommands::isChecked(qrl::cmd::kPopupDetails, all));
    EXPECT_FALSE(qrl::viewcommands::isChecked(qrl::cmd::kList, all));
    EXPECT_EQ(qrl::viewcommands::modeOfCommand(qrl::cmd::kSmallIcons), qrl::viewcommands::kSmallIcons);
    EXPECT_EQ(qrl::viewcommands::modeOfCommand(qrl::cmd::kPopupList), qrl::viewcommands::kList);
    EXPECT_EQ(qrl::viewcommands::modeOfCommand(qrl::cmd::kAddResource), std::nullopt);
}

TEST(ViewRules, ListStyleIsStoredAndAnUnknownOneGivesLargeIcons)
{
    qrl::test::ScopedProfile profile;
    EXPECT_EQ(qrl::viewcommands::storedViewMode(), qrl::viewcommands::kLargeIcons);
    qrl::viewcommands::storeViewMode(qrl::viewcommands::kList);
    EXPECT_EQ(profile.getInt(QStringLiteral("Settings"), QStringLiteral("ListStyle"), -1), 3);
    EXPECT_EQ(qrl::viewcommands::storedViewMode(), qrl::viewcommands::kList);
    profile.setInt(QStringLiteral("Settings"), QStringLiteral("ListStyle"), 7);
    EXPECT_EQ(qrl::viewcommands::storedViewMode(), qrl::viewcommands::kLargeIcons);
}

TEST(ViewRules, DragStartsOutsideTheStartRectangleOrAfterTheDelayAndAnyButtonCancels)
{
    using Decision = CQRLDropSrc::Decision;
    struct Step {
        enum { Move, Button, Escape } what;
        QPoint position;
        Qt::MouseButtons buttons;
        qint64 time;
        Decision expected;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const QPoint at(100, 100);
    const Case cases[] = {
        {"small moves wait, leaving starts",
         {{Step::Move, {103, 97}, Qt::LeftButton, 10, Decision::Wait},
          {Step::Move, {105, 100}, Qt::LeftButton, 20, Decision::Start},
          {Step::Move, {140, 100}, Qt::LeftButton, 30, Decision::Wait}}},
        {"the delay starts it in place", {{Step::Move, {101, 101}, Qt::LeftButton, 500, Decision::Start}}},
        {"a second button cancels",
         {{Step::Move, {120, 100}, Qt::LeftButton | Qt::RightButton, 10, Decision::Cancel}}},
        {"a release cancels",
         {{Step::Button, {}, {}, 10, Decision::Cancel},
          {Step::Move, {140, 100}, Qt::LeftButton, 20, Decision::Wait}}},
        {"Esc cancels", {{Step::Escape, {}, {}, 10, Decision::Cancel}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CQRLDropSrc source(4, 500);
        EXPECT_EQ(source.onMove({200, 200}, Qt::LeftButton, 0), Decision::Wait); // not armed
        source.arm(at, 0);
        for (const Step& s : c.steps) {
            const Decision d = s.what == Step::Move     ? source.onMove(s.position, s.buttons, s.time)
                               : s.what == Step::Button ? source.onButtonChange()
                                                        : source.onEscape();
            EXPECT_EQ(d, s.expected);
        }
        EXPECT_FALSE(source.isArmed());
    }
}

TEST(ViewRules, FileListsCarryLocalFilesInBothForms)
{
    const QStringList paths = {QStringLiteral("/srv/fonts/a b.ttf"),
                               QStringLiteral("/srv/forms/\u00e9t\u00e9.prn")};
    const std::unique_ptr<QMimeData> data = qrl::filelist::mimeOf(paths);
    EXPECT_EQ(qrl::filelist::filesOf(data.get()), paths);
    EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")),
              QByteArray("copy\nfile:///srv/fonts/a%20b.ttf\nfile:///srv/forms/%C3%A9t%C3%A9.prn"));

    // What a file manager puts on the clipboard without a uri-list; a remote file is no file.
    QMimeData gnome;
    gnome.setData(QStringLiteral("x-special/gnome-copied-files"),
                  "cut\nfile:///tmp/x.prn\nsftp://host/y.prn\n");
    EXPECT_EQ(qrl::filelist::filesOf(&gnome), QStringList{QStringLiteral("/tmp/x.prn")});
    QMimeData text;
    text.setText(QStringLiteral("/tmp/x.prn"));
    EXPECT_FALSE(qrl::filelist::hasFiles(&text));
    EXPECT_FALSE(qrl::filelist::hasFiles(nullptr));
}

TEST(ViewRules, CompanionProgramsStartFromToolsWithAnArgumentList)
{
    const qrl::companions::Companion* quoted = qrl::companions::find(qrl::cmd::kFirstCompanion);
    const qrl::companions::Companion* bare = qrl::companions::find(qrl::cmd::kCompanionNoMenu);
    ASSERT_NE(quoted, nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(qrl::companions::find(qrl::cmd::kAddResource), nullptr);
    EXPECT_EQ(qrl::companions::menuCommands().size(), 6);

    const qrl::companions::Launch empty =
        qrl::companions::launchOf(*quoted, QStringLiteral("/opt/q/"), QString());
    EXPECT_EQ(empty.program, QStringLiteral("/opt/q/Tools/FontEditor/fonteditor"));
    EXPECT_EQ(empty.arguments, QStringList{QString()});
    EXPECT_EQ(qrl::companions::launchOf(*bare, QStringLiteral("/opt/q/"), QString()).arguments,
              QStringList{});
    // An argument with blanks stays one argument.
    EXPECT_EQ(qrl::companions::launchOf(*bare, QStringLiteral("/opt/q/"), QStringLiteral("a b; c")).arguments,
              QStringList{QStringLiteral("a b; c")});
}

TEST_F(ViewTest, OpenUsesTheDesktopsProgramOrOneTheUserChooses)
{
    RecordingLauncher launcher;
    launcher.viewer = QStringLiteral("org.example.viewer.desktop");
    const QString path = makeFile("a.prn", "form");
    qrl::itemopener::openItemFile(path);
    EXPECT_EQ(launcher.opened, QStringList{path});
    EXPECT_TRUE(launcher.started.isEmpty());

    launcher.viewer.clear();
    ui.file(QStringLiteral("/usr/bin/hexview"));
    qrl::itemopener::openItemFile(path);
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].request.directory, QStringLiteral("/usr/bin"));
    EXPECT_EQ(ui.dialogs()[0].request.title, QStringLiteral("Open With"));
    EXPECT_EQ(launcher.started, QStringList{QStringLiteral("/usr/bin/hexview|") + path});

    // A cancelled choice starts nothing.
    qrl::itemopener::openItemFile(path);
    EXPECT_EQ(launcher.started.size(), 1);

    const QString installed = makeFile("Tools/MacroViewer/macroviewer", "#!/bin/sh\n");
    QFile::setPermissions(installed, QFile::permissions(installed) | QFileDevice::ExeOwner);
    ui.clear();
    qrl::companions::start(qrl::cmd::kFirstCompanion + 2);
    qrl::companions::start(qrl::cmd::kCompanionByName);
    EXPECT_EQ(launcher.started.mid(1),
              (QStringList{installed + QLatin1Char('|'), QStringLiteral("qrlupdate|")}));
    EXPECT_TRUE(ui.shown().isEmpty());

    // A companion that is not there is told with where it was looked for, and nothing starts.
    qrl::companions::start(qrl::cmd::kFirstCompanion + 3);
    EXPECT_EQ(ui.texts(),
              QStringList{QStringLiteral("The program is not installed. It was looked for as:\n") +
                          dirPath() + QStringLiteral("/Tools/CardManager/cardmanager")});
    EXPECT_EQ(launcher.started.size(), 3);
}

class ViewLogTest : public ViewTest {
protected:
    void SetUp() override
    {
        profile.setInt(QStringLiteral("Settings"), QStringLiteral("LogLevel"), 1);
        start();
    }
};

TEST_F(ViewLogTest, OpenWritesItsStepsToTheLog)
{
    RecordingLauncher launcher;
    const QString path = makeFile("a.prn", "form");
    launcher.viewer = QStringLiteral("viewer.desktop");
    launcher.opens = false;
    qrl::itemopener::openItemFile(path);
    launcher.viewer.clear();
    ui.file(QStringLiteral("/usr/bin/hexview"));
    qrl::itemopener::openItemFile(path);
    app->ExitInstance();
    const QString log = QString::fromStdString(qrl::test::readFile(cwd.file("Quorlyn32.log")));
    const QString p = path;
    const QString expected =
        QStringLiteral("Registered viewer is: viewer.desktop\r\n") +
        QStringLiteral("Calling Shell Execute with open for: ") + p + QStringLiteral("\r\n") +
        QStringLiteral("Returned instance: 0 Shell Execute with open for: ") + p +
        QStringLiteral("\r\nFile  ") + p +
        QStringLiteral(" could not be opened by viewer viewer.desktop. ShellExecute returned = 0\r\n") +
        QStringLiteral("None Registered Viewer available!\r\nSsytem Directory is: /usr/bin\r\n") +
        QStringLiteral("Returned instance: 1 ShellExecute Open With ..params  ") + p + QStringLiteral("\r\n");
    EXPECT_TRUE(log.contains(expected)) << log.toStdString();
}

TEST_F(ViewTest, TitleAndTheQuestionBeforeAModifiedProjectCloses)
{
    EXPECT_EQ(qrl::docroads::projectTitle(doc), QStringLiteral("Untitled"));
    EXPECT_TRUE(qrl::docroads::mayClose(doc));
    EXPECT_TRUE(ui.shown().isEmpty());

    doc.SetModifiedFlag(true);
    EXPECT_EQ(qrl::docroads::projectTitle(doc), QStringLiteral("Untitled*"));
    ui.answer(qrl::Answer::Cancel);
    EXPECT_FALSE(qrl::docroads::mayClose(doc));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Save changes to Untitled?")});
    ui.answer(qrl::Answer::No);
    EXPECT_TRUE(qrl::docroads::mayClose(doc));
    // Yes saves; a save that does not happen (the dialog cancelled) keeps the project open.
    ui.answer(qrl::Answer::Yes);
    EXPECT_FALSE(qrl::docroads::mayClose(doc));
    EXPECT_EQ(ui.dialogs().size(), 1);
    EXPECT_TRUE(app->recentFiles().entries().isEmpty());

    doc.SetPathName(dirPath() + QStringLiteral("/cards.prj"));
    EXPECT_EQ(qrl::docroads::projectTitle(doc), QStringLiteral("cards.prj*"));
}
