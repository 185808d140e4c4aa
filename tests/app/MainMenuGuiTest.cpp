// The main window as the user drives it: the commands of its menus with their keys, the dialogs
// they open, the recent-file list, Save As and closing with modified projects.
#include "BitmapImages.h"
#include "BitmaptoMacroDlg.h"
#include "CChildFrame.h"
#include "CMacroSelectDlg.h"
#include "CMainFrame.h"
#include "CPrintRes.h"
#include "CPrintSetupDlg.h"
#include "CProperties.h"
#include "CQuorlyn32App.h"
#include "CQuorlyn32View.h"
#include "CUnknownExtDlg.h"
#include "CommandIds.h"
#include "FrameActions.h"
#include "ModalSteps.h"
#include "PrintSetup.h"
#include "QtAppShell.h"
#include "QtUserInterface.h"
#include "RecordingSpooler.h"
#include "Screenshot.h"
#include "StringTable.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

using qrl::test::onNextModal;

// Types `name` into the name box of the next Qt file dialog and presses Enter; a dialog still up
// after that is cancelled. `typedIn` tells that the dialog came.
void typeIntoNextFileDialog(const QString& name, bool& typedIn, const QString& screenshot = {},
                            bool* buttonEnabled = nullptr)
{
    onNextModal([&typedIn, name, screenshot, buttonEnabled](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (qobject_cast<QFileDialog*>(modal) && edit) {
            edit->setText(name);
            if (buttonEnabled) {
                auto* box = modal->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                *buttonEnabled = box && box->button(QDialogButtonBox::Open) &&
                                 box->button(QDialogButtonBox::Open)->isEnabled();
            }
            if (!screenshot.isEmpty())
                qrl::test::saveScreenshot(modal, screenshot);
            QTest::keyClick(edit, Qt::Key_Return);
            typedIn = true;
        }
        if (modal->isVisible())
            static_cast<QDialog*>(modal)->reject();
    });
}

// The program as it starts (without a project), on a private directory that is also its program
// directory.
class MainMenuTest : public qrl::test::viewtest::ViewTest {
protected:
    void SetUp() override
    {
        profile.setInt(QStringLiteral("Settings"), QStringLiteral("StartUp Options"), 2);
        ASSERT_TRUE(app->InitInstance(qtShell, QString::fromStdString(cwd.file("Quorlyn32")), {}));
        frame = qtShell.mainFrame();
        ASSERT_NE(frame, nullptr);
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override { PrintSetup::forget(); }

    // The menu bar's menu of that object name, opened and closed again as the user would, so
    // that its entries are brought up to date.
    QMenu* openMenu(const char* objectName)
    {
        auto* menu = frame->menuBar()->findChild<QMenu*>(QString::fromLatin1(objectName));
        if (menu) {
            menu->popup(frame->mapToGlobal(QPoint(0, 0)));
            menu->hide();
        }
        return menu;
    }

    // The entry of `id` in that menu; nullptr when the menu does not hold it.
    QAction* menuEntry(const char* menuName, int id)
    {
        QMenu* menu = openMenu(menuName);
        if (!menu)
            return nullptr;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->data().toInt() == id)
                return a;
        return nullptr;
    }

    // A project window on a modified project with one program file, its row selected.
    CQuorlyn32View* openProjectWithSelectedRow(const std::string& file)
    {
        auto project = std::make_unique<qrl::test::viewtest::OpenDoc>();
        project->GetProjSett().m_medium = kHardDisk;
        ResourceKind kind = kKindNone;
        EXPECT_TRUE(project->AddFile(makeFile(file, "data"), kind));
        qtShell.showProject(std::move(project));
        auto* view = qobject_cast<CQuorlyn32View*>(frame->activeChild()->view());
        view->listView()->selectionModel()->select(view->model()->index(0, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view->GetDocument()->SetModifiedFlag(true);
        return view;
    }

    QtAppShell qtShell;
    CMainFrame* frame = nullptr;
};

} // namespace

TEST_F(MainMenuTest, EveryCommandStandsInItsMenuWithItsTextKeyAndEnabling)
{
    struct Row {
        const char* menu;
        int id;
        const char* text;
        QList<QKeySequence> keys;
        bool enabledWithoutProject;
        bool enabledWithProject; // a modified project, one row selected, nothing on the clipboard
    };
    const QList<QKeySequence> none;
    const auto desktop = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    const auto own = [](const char* key) {
        return QList<QKeySequence>{QKeySequence(QString::fromLatin1(key))};
    };
    const Row rows[] = {
        {"menuFile", 57600, "&New Project", desktop(QKeySequence::New), true, true},
        {"menuFile", 57601, "&Open Project...", desktop(QKeySequence::Open), true, true},
        {"menuFile", 57603, "&Save Project", desktop(QKeySequence::Save), false, true},
        {"menuFile", 57604, "Save &As...", none, false, true},
        {"menuFile", 32799, "P&references...", none, true, true},
        {"menuFile", 57606, "P&rint Setup...", none, true, true},
        {"menuFile", 57665, "E&xit", desktop(QKeySequence::Quit), true, true},
        {"menuEdit", 57635, "Cu&t", desktop(QKeySequence::Cut), false, true},
        {"menuEdit", 57634, "&Copy", desktop(QKeySequence::Copy), false, true},
        {"menuEdit", 57637, "&Paste", desktop(QKeySequence::Paste), false, false},
        {"menuEdit", 32775, "&Delete", desktop(QKeySequence::Delete), false, true},
        {"menuEdit", 32848, "&Select All", desktop(QKeySequence::SelectAll), false, true},
        {"menuView", 32788, "Lar&ge Icons", none, false, true},
        {"menuView", 32789, "S&mall Icons", none, false, true},
        {"menuView", 32790, "&List", none, false, true},
        {"menuView", 32791, "&Details", none, false, true},
        {"menuProject", 32771, "&Add...", none, false, true},
        {"menuProject", 32800, "P&roperties...", none, false, true},
        {"menuProject", 32797, "&Build...", own("Ctrl+B"), false, true},
        {"menuProject", 32798, "Se&ttings...", none, false, true},
        {"menuProject", 32845, "&Print...", none, false, true},
        {"menuTools", 32849, "Printer Too&ls...", own("Ctrl+L"), false, true},
        {"menuTools", 32851, "&Multi-Part Form Creator...", none, false, true},
        {"menuTools", 32852, "&EMCR Creator...", none, false, true},
        {"menuTools", 32873, "&VORL Font Downloader...", none, false, true},
        {"menuTools", 32855, "&Font Editor...", none, false, true},
        {"menuTools", 32856, "F&orm Designer...", none, false, true},
        {"menuTools", 32857, "Macro &Viewer...", none, false, true},
        {"menuTools", 32858, "&Card Manager...", none, false, true},
        {"menuTools", 32859, "Printer &Monitor...", none, false, true},
        {"menuTools", 32860, "&Network Setup...", none, false, true},
        {"menuHelp", 57664, "&About Quorlyn32...", none, true, true},
    };
    for (const bool withProject : {false, true}) {
        if (withProject)
            openProjectWithSelectedRow("setup.prg");
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << r.id << (withProject ? " with a project" : " alone"));
            QAction* a = menuEntry(r.menu, r.id);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(), QString::fromLatin1(r.text));
            EXPECT_EQ(a->shortcuts(), r.keys);
            EXPECT_EQ(a->isEnabled(), withProject ? r.enabledWithProject : r.enabledWithoutProject);
        }
    }
    // Every command the menu bar holds has its row above: an entry added without one fails here.
    int commands = 0;
    for (const QAction* entry : frame->menuBar()->actions()) {
        const QMenu* menu = entry->menu();
        ASSERT_NE(menu, nullptr) << entry->text().toStdString();
        for (const QAction* a : menu->actions()) {
            const int id = a->data().toInt();
            if (a->isSeparator() || (id >= qrl::cmd::kFirstRecentFile &&
                                     id < qrl::cmd::kFirstRecentFile + FrameActions::kRecentFileCount))
                continue;
            ++commands;
            EXPECT_TRUE(std::any_of(
                std::begin(rows), std::end(rows),
                [&](const Row& r) { return menu->objectName() == QLatin1String(r.menu) && r.id == id; }))
                << menu->objectName().toStdString() << " holds " << id << " without a row";
        }
    }
    EXPECT_EQ(commands, static_cast<int>(std::size(rows)));

    // A key on two commands would reach neither of them.
    QList<QKeySequence> keys;
    for (const QAction* a : frame->findChildren<QAction*>()) {
        for (const QKeySequence& key : a->shortcuts()) {
            EXPECT_FALSE(keys.contains(key)) << key.toString().toStdString();
            keys.append(key);
        }
    }
    EXPECT_TRUE(keys.contains(QKeySequence(QStringLiteral("Ctrl+B"))));
    QMenu* tools = openMenu("menuTools");
    tools->popup(frame->mapToGlobal(QPoint(200, 40)));
    qrl::test::saveScreenshot(tools, QStringLiteral("menu-tools.png"));
    tools->hide();
}

TEST_F(MainMenuTest,
       PreferencesAndPrintSetupOpenOverTheMainWindowAndThePrintedListUsesTheSetupsPrinterAndPage)
{
    QString seen;
    onNextModal([&](QWidget* modal) {
        if (qobject_cast<CProperties*>(modal) && modal->parentWidget() == frame)
            seen = QStringLiteral("preferences");
        static_cast<QDialog*>(modal)->reject();
    });
    menuEntry("menuFile", qrl::cmd::kPreferences)->trigger();
    EXPECT_EQ(seen, QStringLiteral("preferences"));

    // The setup chooses the printer as well as its paper and orientation.
    qrl::RecordingSpooler spooler;
    spooler.addPrinter("fs");
    spooler.addPrinter("lab");
    spooler.setDefaultPrinter("fs");
    qrl::Spooler* systems = qrl::setSpooler(&spooler);
    seen.clear();
    QString offered;
    onNextModal([&](QWidget* modal) {
        auto* printers = modal->findChild<QComboBox*>(QStringLiteral("printerCombo"));
        auto* paper = modal->findChild<QComboBox*>(QStringLiteral("paperCombo"));
        auto* landscape = modal->findChild<QRadioButton*>(QStringLiteral("landscape"));
        if (qobject_cast<CPrintSetupDlg*>(modal) && modal->parentWidget() == frame && printers && paper &&
            landscape) {
            seen = QStringLiteral("print setup");
            offered = printers->currentText();
            printers->setCurrentIndex(printers->findText(QStringLiteral("lab")));
            paper->setCurrentIndex(paper->findText(QPageSize(QPageSize::A5).name()));
            landscape->click();
            qrl::test::saveScreenshot(modal, QStringLiteral("print-setup.png"));
        }
        static_cast<QDialog*>(modal)->accept();
    });
    menuEntry("menuFile", qrl::cmd::kFilePrintSetup)->trigger();
    EXPECT_EQ(seen, QStringLiteral("print setup"));
    EXPECT_EQ(offered, QStringLiteral("fs")) << "the default printer first";
    EXPECT_EQ(PrintSetup::choice().printerName, QStringLiteral("lab"));
    const CPrintRes list(doc, frame);
    EXPECT_EQ(list.printer()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(list.printer()->pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));

    // The next setup opens on the remembered choice, and Cancel keeps it as it was.
    onNextModal([&offered](QWidget* modal) {
        offered = modal->findChild<QComboBox*>(QStringLiteral("printerCombo"))->currentText();
        if (auto* portrait = modal->findChild<QRadioButton*>(QStringLiteral("portrait")))
            portrait->click();
        static_cast<QDialog*>(modal)->reject();
    });
    menuEntry("menuFile", qrl::cmd::kFilePrintSetup)->trigger();
    qrl::setSpooler(systems);
    EXPECT_EQ(offered, QStringLiteral("lab"));
    EXPECT_EQ(PrintSetup::newPrinter()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(PrintSetup::choice().printerName, QStringLiteral("lab"));
}

TEST_F(MainMenuTest, RecentFilesStandInTheFileMenuAndOpenTheirProject)
{
    const QString saved = QString::fromStdString(cwd.file("kept.prj"));
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    const QString gone = QString::fromStdString(cwd.file("gone.prj"));
    app->recentFiles().add(gone);
    app->recentFiles().add(saved);

    const int first = qrl::cmd::kFirstRecentFile;
    QAction* newest = menuEntry("menuFile", first);
    ASSERT_NE(newest, nullptr);
    EXPECT_TRUE(newest->isVisible());
    EXPECT_EQ(newest->text(), QStringLiteral("&1 ") + saved);
    EXPECT_EQ(menuEntry("menuFile", first + 1)->text(), QStringLiteral("&2 ") + gone);
    EXPECT_FALSE(menuEntry("menuFile", first + 2)->isVisible());
    QMenu* file = openMenu("menuFile");
    file->popup(frame->mapToGlobal(QPoint(0, 40)));
    qrl::test::saveScreenshot(file, QStringLiteral("menu-file-recent.png"));
    file->hide();

    newest->trigger();
    ASSERT_NE(frame->activeChild(), nullptr);
    auto* view = qobject_cast<CQuorlyn32View*>(frame->activeChild()->view());
    EXPECT_EQ(view->GetDocument()->GetPathName(), saved);

    // A project that is no longer there is told by the open and leaves the list.
    ui.clear();
    menuEntry("menuFile", first + 1)->trigger();
    EXPECT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(app->recentFiles().entries(), QStringList{saved});
    EXPECT_FALSE(menuEntry("menuFile", first + 1)->isVisible());
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 1);
}

TEST_F(MainMenuTest, CompanionMissingFromToolsIsToldWithThePathLookedFor)
{
    openProjectWithSelectedRow("setup.prg");
    ui.clear();
    menuEntry("menuTools", qrl::cmd::kFirstCompanion)->trigger();
    EXPECT_EQ(ui.texts(),
              QStringList{QStringLiteral("The program is not installed. It was looked for as:\n") +
                          dirPath() + QStringLiteral("/Tools/FontEditor/fonteditor")});
}

TEST_F(MainMenuTest, SaveAsTakesTheNameAsTypedAndGivesOneWithoutExtensionTheProjectExtension)
{
    struct Row {
        const char* typed;
        const char* saved;
    };
    const Row rows[] = {
        {"newname", "newname.prj"},
        {"B\u00fcro \"Nord\"", "B\u00fcro \"Nord\".prj"},
        {"\"Nord\".prj", "\"Nord\".prj"},
    };
    const QString dir = QString::fromStdString(cwd.file(""));
    qrl::QtUserInterface dialogs;
    qrl::UserInterface* scripted = qrl::setUi(&dialogs);
    for (const Row& row : rows) {
        openProjectWithSelectedRow("setup.prg");
        bool typedIn = false;
        typeIntoNextFileDialog(dir + QString::fromUtf8(row.typed), typedIn);
        menuEntry("menuFile", qrl::cmd::kFileSaveAs)->trigger();
        const QString saved = dir + QString::fromUtf8(row.saved);
        EXPECT_TRUE(typedIn) << row.typed;
        EXPECT_TRUE(QFileInfo::exists(saved)) << row.typed;
        auto* view = qobject_cast<CQuorlyn32View*>(frame->activeChild()->view());
        EXPECT_EQ(view->GetDocument()->GetPathName(), saved) << row.typed;
    }
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("Nord.prj")));

    // The open dialogs take such a name as typed as well: where one file is asked for, and where
    // several are when a file of that whole name is there.
    qrl::setUi(scripted);
    const QString quoted = dir + QString::fromUtf8(rows[1].saved);
    qrl::FileDialogRequest request;
    request.directory = dir;
    bool typedIn = false;
    bool openEnabled = false;
    typeIntoNextFileDialog(quoted, typedIn, QStringLiteral("open-quoted-name.png"), &openEnabled);
    EXPECT_EQ(dialogs.openFileName(request), std::optional<QString>(quoted));
    EXPECT_TRUE(openEnabled);
    typeIntoNextFileDialog(quoted, typedIn);
    EXPECT_EQ(dialogs.openFileNames(request), std::optional<QStringList>(QStringList{quoted}));
    // Names in quotes that are no file are the list of files they name.
    typeIntoNextFileDialog(QStringLiteral("\"newname.prj\""), typedIn);
    EXPECT_EQ(dialogs.openFileNames(request),
              std::optional<QStringList>(QStringList{dir + QStringLiteral("newname.prj")}));
}

TEST_F(MainMenuTest, CancelOnTheFirstModifiedProjectStopsTheWholeClose)
{
    openProjectWithSelectedRow("one.prg");
    openProjectWithSelectedRow("two.prg");
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 2);

    ui.answer(qrl::Answer::Cancel);
    menuEntry("menuFile", qrl::cmd::kAppExit)->trigger();
    EXPECT_EQ(ui.shown().size(), 1) << "only the first project was asked";
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(frame->isVisible());

    // No to both: the projects close unsaved and so does the window.
    ui.clear();
    ui.answer(qrl::Answer::No);
    ui.answer(qrl::Answer::No);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(profile.contains(QStringLiteral("Settings"), QStringLiteral("WinPlacement")));
}

TEST_F(MainMenuTest, EveryProjectIsAskedBeforeAnyClosesAndCancelKeepsThemAllOpen)
{
    openProjectWithSelectedRow("one.prg")->GetDocument()->SetModifiedFlag(false);
    openProjectWithSelectedRow("two.prg");
    QApplication::setActiveWindow(frame);

    // The desktop's Quit key (Ctrl+Q); the offscreen platform binds none, so there the menu entry.
    QAction* exit = menuEntry("menuFile", qrl::cmd::kAppExit);
    ui.answer(qrl::Answer::Cancel);
    if (!exit->shortcut().isEmpty())
        QTest::keySequence(frame, exit->shortcut());
    else
        exit->trigger();
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Save changes to Untitled?")});
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2) << "the unmodified project stays open too";
    EXPECT_TRUE(frame->isVisible());

    // An answer given already is asked again after a later Cancel: No to the first drops nothing.
    CQuorlyn32View* first = qobject_cast<CQuorlyn32View*>(
        qobject_cast<CChildFrame*>(frame->mdiArea()->subWindowList(QMdiArea::CreationOrder).first())->view());
    first->GetDocument()->SetModifiedFlag(true);
    ui.clear();
    ui.answer(qrl::Answer::No);
    ui.answer(qrl::Answer::Cancel);
    menuEntry("menuFile", qrl::cmd::kAppExit)->trigger();
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(first->GetDocument()->IsModified());

    // No to both: each is asked once, and all close.
    ui.clear();
    ui.answer(qrl::Answer::No);
    ui.answer(qrl::Answer::No);
    menuEntry("menuFile", qrl::cmd::kAppExit)->trigger();
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainMenuTest, ANoGivenToAQuitThatWasCancelledIsNotRememberedWhenTheWindowClosesLater)
{
    CQuorlyn32View* first = openProjectWithSelectedRow("one.prg");
    openProjectWithSelectedRow("two.prg");
    ui.answer(qrl::Answer::No);
    ui.answer(qrl::Answer::Cancel);
    menuEntry("menuFile", qrl::cmd::kAppExit)->trigger();
    ASSERT_EQ(ui.shown().size(), 2);

    // Closing the first project's window alone asks again, and Cancel keeps it.
    ui.clear();
    ui.answer(qrl::Answer::Cancel);
    auto* firstWindow = qobject_cast<CChildFrame*>(first->parentWidget()->parentWidget());
    ASSERT_NE(firstWindow, nullptr);
    EXPECT_FALSE(firstWindow->close());
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Save changes to Untitled?")});
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(first->GetDocument()->IsModified());
}

namespace {

// The project window that shows `path`; nullptr when none does.
CChildFrame* windowOf(CMainFrame* frame, const QString& path)
{
    for (QMdiSubWindow* window : frame->mdiArea()->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(window);
        auto* view = child ? qobject_cast<CQuorlyn32View*>(child->view()) : nullptr;
        if (view && view->GetDocument()->GetPathName() == path)
            return child;
    }
    return nullptr;
}

// Message boxes are the real ones; the save dialog answers `saveAs` without showing.
class RealBoxes : public qrl::QtUserInterface {
public:
    std::optional<QString> saveFileName(const qrl::FileDialogRequest&) override { return saveAs; }
    QString saveAs;
};

} // namespace

TEST_F(MainMenuTest, OpeningAProjectThatIsOpenBringsItsWindowForwardOnEveryRoad)
{
    const QString path = dirPath() + QStringLiteral("/p.prj");
    const QString other = dirPath() + QStringLiteral("/q.prj");
    for (const QString& file : {path, other}) {
        CQuorlyn32Doc writer;
        ASSERT_TRUE(writer.OnSaveDocument(file));
    }
    const QString link = dirPath() + QStringLiteral("/link.prj");
    ASSERT_TRUE(QFile::link(path, link));

    ui.file(path);
    menuEntry("menuFile", qrl::cmd::kFileOpen)->trigger();
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    CChildFrame* open = windowOf(frame, path);
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(qtShell.newDocument());
    QMdiSubWindow* untitled = frame->mdiArea()->activeSubWindow();

    const auto drop = [this](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        // A point of the free area, outside every project window.
        QWidget* area = frame->mdiArea()->viewport();
        QPoint free(area->width() - 1, area->height() - 1);
        for (int y = 0; y < area->height() && area->childAt(free); y += 10)
            for (int x = 0; x < area->width() && area->childAt(free); x += 10)
                free = QPoint(x, y);
        ASSERT_EQ(area->childAt(free), nullptr);
        QDragEnterEvent enter(free, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(free, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &dropped);
        QApplication::processEvents();
    };
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"the menu",
         [&] {
             ui.file(path);
             menuEntry("menuFile", qrl::cmd::kFileOpen)->trigger();
         }},
        {"the recent-file list", [&] { menuEntry("menuFile", qrl::cmd::kFirstRecentFile)->trigger(); }},
        {"the command line of a later start, through a link", [&] { qtShell.openHandedFiles({link}); }},
        {"a drop on the main window", [&] { drop(path); }},
    };
    for (const auto& [road, run] : roads) {
        SCOPED_TRACE(road);
        frame->mdiArea()->setActiveSubWindow(untitled);
        run();
        EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
        EXPECT_EQ(frame->mdiArea()->activeSubWindow(), open);
        EXPECT_EQ(theApp().recentFiles().entries().value(0), path);
    }
    qrl::test::saveScreenshot(frame, QStringLiteral("open-project-comes-forward.png"));

    // A project that is not open yet opens in a window of its own, also when dropped.
    drop(other);
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 3);
    EXPECT_NE(windowOf(frame, other), nullptr);

    // Files handed over while a dialog of the program is up wait until it is closed.
    const QString third = dirPath() + QStringLiteral("/r.prj");
    ASSERT_TRUE(QFile::copy(other, third));
    qsizetype windowsWhileUp = -1;
    onNextModal([&](QWidget* modal) {
        qtShell.openHandedFiles({third});
        QTest::qWait(400);
        windowsWhileUp = frame->mdiArea()->subWindowList().size();
        static_cast<QDialog*>(modal)->reject();
    });
    menuEntry("menuHelp", qrl::cmd::kAppAbout)->trigger();
    EXPECT_EQ(windowsWhileUp, 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowOf(frame, third) != nullptr; }, 3000));
}

// Two windows on one project file, as two programs (or Save As onto an open project) make them:
// neither saves over the other's work without a question that names the file.
TEST_F(MainMenuTest, ASaveOverTheWorkOfAnotherWindowAsksWithTheFileNamed)
{
    const QString path = dirPath() + QStringLiteral("/p.prj");
    {
        CQuorlyn32Doc writer;
        ASSERT_TRUE(writer.OnSaveDocument(path));
    }
    ASSERT_TRUE(qtShell.openDocument(path));
    CChildFrame* first = windowOf(frame, path);
    ASSERT_NE(first, nullptr);
    CQuorlyn32Doc* firstDoc = qobject_cast<CQuorlyn32View*>(first->view())->GetDocument();

    // Another program adds to the project and saves it.
    {
        CQuorlyn32Doc another;
        ASSERT_TRUE(another.OnOpenDocument(path));
        another.GetProjSett().m_storageSizeIndex = 7;
        ASSERT_TRUE(another.OnSaveDocument(path));
    }
    const std::string theirs = qrl::test::readFile(path.toStdString());

    RealBoxes boxes;
    boxes.setMainWindow(frame);
    const qrl::ScopedReplacement<qrl::UserInterface> installed(qrl::setUi, &boxes);
    const auto answerNextBox = [](QMessageBox::StandardButton button, const QString& screenshot,
                                  QString& text) {
        onNextModal([button, screenshot, &text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                static_cast<QDialog*>(modal)->reject();
                return;
            }
            text = box->text();
            qrl::test::saveScreenshot(box, screenshot);
            box->button(button)->click();
        });
    };

    firstDoc->SetModifiedFlag(true);
    frame->mdiArea()->setActiveSubWindow(first);
    QString asked;
    answerNextBox(QMessageBox::No, QStringLiteral("save-over-changed-project.png"), asked);
    menuEntry("menuFile", qrl::cmd::kFileSave)->trigger();
    EXPECT_TRUE(asked.startsWith(path + QStringLiteral("\r\nwas changed on disk"))) << asked.toStdString();
    EXPECT_EQ(qrl::test::readFile(path.toStdString()), theirs);
    EXPECT_TRUE(firstDoc->IsModified());
    EXPECT_TRUE(first->windowTitle().endsWith(QLatin1Char('*')));

    // A new project saved as the open one's file asks too; Yes writes it.
    ASSERT_TRUE(qtShell.newDocument());
    QMdiSubWindow* second = frame->mdiArea()->activeSubWindow();
    boxes.saveAs = path;
    asked.clear();
    answerNextBox(QMessageBox::Yes, QStringLiteral("save-as-onto-open-project.png"), asked);
    menuEntry("menuFile", qrl::cmd::kFileSaveAs)->trigger();
    EXPECT_EQ(asked, path + QStringLiteral("\r\nis open in another project window.\r\nSave over it?"));
    EXPECT_NE(qrl::test::readFile(path.toStdString()), theirs);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("p.prj"));
}

TEST_F(MainMenuTest, QuestionsAskedWithoutAParentOpenOverTheMainWindow)
{
    // Away from the screen's centre, so that a dialog centred there is not over the window.
    frame->setGeometry(0, 0, 520, 400);
    BitmaptoMacroDlg::Runner bitmaps(nullptr);
    CUnknownExtDlg::Question unknownExtension(nullptr);
    CMacroSelectDlg::Question macroType(nullptr);
    CQuorlyn32Doc::BitmapToMacroRequest request;
    request.path = makeFile("logo.bmp", qrl::test::monochromeBmp());
    request.imageType = 0;
    const QString other = makeFile("a.xyz", "data");
    struct Row {
        const char* name;
        std::function<void()> ask;
    };
    const Row rows[] = {
        {"bitmap-to-macro", [&] { bitmaps.run(doc, request); }},
        {"unknown-extension", [&] { unknownExtension.ask(other); }},
        {"macro-type", [&] { macroType.askMacroType(other); }},
    };
    for (const Row& row : rows) {
        QWidget* parent = nullptr;
        QPoint centre;
        onNextModal([&](QWidget* modal) {
            parent = modal->parentWidget();
            centre = modal->frameGeometry().center();
            qrl::test::saveScreenshot(modal,
                                      QString::fromLatin1(row.name) + QStringLiteral("-over-main.png"));
            static_cast<QDialog*>(modal)->reject();
        });
        row.ask();
        EXPECT_EQ(parent, frame) << row.name;
        EXPECT_TRUE(frame->frameGeometry().contains(centre))
            << row.name << " at " << centre.x() << "," << centre.y();
    }
}
