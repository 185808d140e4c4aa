// The project window on the offscreen platform: the list, its commands, and the program's roads
// that open and close project windows.
#include "CChildFrame.h"
#include "CGlobalPrefs.h"
#include "CMainFrame.h"
#include "CQRLTabCtrl.h"
#include "CQuorlyn32App.h"
#include "CQuorlyn32View.h"
#include "CUnknownExtDlg.h"
#include "CommandIds.h"
#include "FileListMime.h"
#include "QtAppShell.h"
#include "ResourceTypes.h"
#include "Screenshot.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ViewMenus.h"
#include "ViewRows.h"
#include "ViewTestSupport.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <optional>

using qrl::test::viewtest::OpenDoc;
using qrl::test::viewtest::ViewTest;

namespace {

class ViewGuiTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        ASSERT_TRUE(qtShell.createMainFrame());
        frame = qtShell.mainFrame();
        frame->show();
    }

    // A project window, as the program opens one, on a project of these files.
    CQuorlyn32View* openWithFiles(const std::vector<std::pair<std::string, std::string>>& files)
    {
        auto project = std::make_unique<OpenDoc>();
        project->GetProjSett().m_medium = kHardDisk;
        ResourceKind kind = kKindNone;
        for (const auto& [name, bytes] : files)
            EXPECT_TRUE(project->AddFile(makeFile(name, bytes), kind)) << name;
        qtShell.showProject(std::move(project));
        return qobject_cast<CQuorlyn32View*>(frame->activeChild()->view());
    }

    QStringList rowNames(const CQuorlyn32View* view) const
    {
        QStringList names;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            names.append(view->model()->item(r, 0)->text());
        return names;
    }

    QAction* action(int id) const { return frame->commandAction(id); }

    // The real unknown-extension dialog answers the type question; `answer` gets it once it is up
    // and must close it.
    class RealTypeQuestion {
    public:
        RealTypeQuestion(QWidget* parent, std::function<void(CUnknownExtDlg*)> answer)
            : m_question(parent), m_answer(std::move(answer))
        {
            m_poll.setInterval(10);
            QObject::connect(&m_poll, &QTimer::timeout, [this] {
                if (auto* dialog = qobject_cast<CUnknownExtDlg*>(QApplication::activeModalWidget())) {
                    m_poll.stop();
                    m_answer(dialog);
                }
            });
            m_poll.start();
        }

    private:
        CUnknownExtDlg::Question m_question;
        qrl::ScopedReplacement<UnknownExtensionQuestion> m_installed{setUnknownExtensionQuestion,
                                                                     &m_question};
        std::function<void(CUnknownExtDlg*)> m_answer;
        QTimer m_poll;
    };

    QtAppShell qtShell;
    CMainFrame* frame = nullptr;
};

} // namespace

TEST_F(ViewGuiTest, DetailsShowTheTypefaceColumnOnTheFontsTabOnly)
{
    CQuorlyn32View* view = openWithFiles({{"arial.ttf", trueTypeFont("Arial")}, {"a.prn", "form"}});
    EXPECT_EQ(view->currentKind(), kKindFont);
    view->SetViewMode(qrl::viewcommands::kDetails);
    EXPECT_EQ(profile.getInt(QStringLiteral("Settings"), QStringLiteral("ListStyle"), -1), 1);
    QTreeView* details = view->detailsView();
    EXPECT_TRUE(details->isVisible());
    const QHeaderView* header = details->header();
    EXPECT_EQ(header->sectionSize(qrl::viewrows::kPathColumn), 200);
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_EQ(view->model()->headerData(qrl::viewrows::kSizeColumn, Qt::Horizontal).toString(),
              QStringLiteral("Size"));
    EXPECT_FALSE(details->isColumnHidden(qrl::viewrows::kTypefaceColumn));
    EXPECT_EQ(view->model()->item(0, qrl::viewrows::kTypefaceColumn)->text(), QStringLiteral("10000"));
    EXPECT_EQ(view->model()->item(0, qrl::viewrows::kSizeColumn)->textAlignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    // Tab goes to the next kind, Shift+Tab back; the column follows the tab.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(details, &tab);
    EXPECT_EQ(view->currentKind(), kKindMacro);
    EXPECT_TRUE(details->isColumnHidden(qrl::viewrows::kTypefaceColumn));
    view->RefreshList(kKindForm);
    EXPECT_EQ(rowNames(view), QStringList{QStringLiteral("a")});
    EXPECT_TRUE(details->isColumnHidden(qrl::viewrows::kTypefaceColumn));
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::sendEvent(details, &backtab);
    QCoreApplication::sendEvent(details, &backtab);
    EXPECT_EQ(view->currentKind(), kKindFont);
    EXPECT_FALSE(details->isColumnHidden(qrl::viewrows::kTypefaceColumn));
    EXPECT_EQ(frame->activeChild()->tabStrip()->currentIndex(), kindNumber(kKindFont));

    // Choosing a tab in the strip refills the list.
    frame->activeChild()->tabStrip()->setCurrentIndex(kindNumber(kKindForm));
    EXPECT_EQ(view->currentKind(), kKindForm);

    // The mode's check mark is on the window menu's command.
    EXPECT_TRUE(action(qrl::cmd::kDetails)->isChecked());
    action(qrl::cmd::kList)->trigger();
    EXPECT_EQ(view->viewMode(), qrl::viewcommands::kList);
    EXPECT_TRUE(view->listView()->isVisible());
    EXPECT_FALSE(action(qrl::cmd::kDetails)->isChecked());
    EXPECT_TRUE(action(qrl::cmd::kList)->isChecked());
    action(qrl::cmd::kList)->trigger();
    EXPECT_TRUE(action(qrl::cmd::kList)->isChecked());
}

TEST_F(ViewGuiTest, DeleteRemovesEverySelectedRowByItsSerial)
{
    CQuorlyn32View* view = openWithFiles({{"a.prn", "a"}, {"b.prn", "b"}, {"c.prn", "c"}, {"d.prg", "d"}});
    EXPECT_EQ(view->currentKind(), kKindForm);
    EXPECT_FALSE(action(qrl::cmd::kDeleteItems)->isEnabled());
    QItemSelectionModel* selection = view->listView()->selectionModel();
    selection->select(view->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(view->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(action(qrl::cmd::kDeleteItems)->isEnabled());
    EXPECT_TRUE(action(qrl::cmd::kEditCopy)->isEnabled());
    EXPECT_TRUE(action(qrl::cmd::kBuild)->isEnabled());

    action(qrl::cmd::kDeleteItems)->trigger();
    CQuorlyn32Doc* project = view->GetDocument();
    ASSERT_EQ(project->GetItemCount(), 2);
    EXPECT_EQ(project->GetItemAt(0)->GetName(), QStringLiteral("b"));
    EXPECT_EQ(project->GetItemAt(1)->GetName(), QStringLiteral("d"));
    EXPECT_EQ(rowNames(view), QStringList{QStringLiteral("b")});
    EXPECT_EQ(view->serialOfRow(0), project->GetItemAt(0)->serial());
    EXPECT_TRUE(project->IsModified());
    EXPECT_TRUE(ui.shown().isEmpty());
    EXPECT_EQ(frame->activeChild()->windowTitle(), QStringLiteral("Untitled*"));
    EXPECT_FALSE(action(qrl::cmd::kDeleteItems)->isEnabled());

    // Delete of the last rows leaves an empty tab and a project without items.
    view->OnSelectAll();
    view->OnCut();
    EXPECT_EQ(project->GetItemCount(), 1);
    EXPECT_EQ(view->model()->rowCount(), 0);
    EXPECT_EQ(qrl::filelist::filesOf(QGuiApplication::clipboard()->mimeData()), QStringList{pathOf("b.prn")});
}

TEST_F(ViewGuiTest, MacroRowsCannotBeRenamedAndOtherNamesAreCut)
{
    CQuorlyn32View* view =
        openWithFiles({{"arial.ttf", trueTypeFont("Arial")}, {"logo.tlr", telluradeMacro("LOGO")}});
    view->RefreshList(kKindMacro);
    ASSERT_EQ(view->model()->rowCount(), 1);
    EXPECT_FALSE(view->model()->item(0, 0)->flags() & Qt::ItemIsEditable);
    view->listView()->selectionModel()->select(view->model()->index(0, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->runCommand(qrl::cmd::kRename);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2444)});
    EXPECT_EQ(view->findChild<QLineEdit*>(), nullptr);

    ui.clear();
    view->RefreshList(kKindFont);
    EXPECT_TRUE(view->model()->item(0, 0)->flags() & Qt::ItemIsEditable);
    view->listView()->selectionModel()->select(view->model()->index(0, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->runCommand(qrl::cmd::kRename);
    auto* editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QString(40, QLatin1Char('x')));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    QCoreApplication::processEvents(); // the editor commits once the key's handling is over
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2356)});
    const QString cut(31, QLatin1Char('x'));
    EXPECT_EQ(view->model()->item(0, 0)->text(), cut);
    EXPECT_EQ(view->GetDocument()->GetItemAt(0)->GetName(), cut);
    EXPECT_TRUE(view->GetDocument()->IsModified());
}

TEST_F(ViewGuiTest, EnterThatEndsARenameOpensNothingAndTheEditorKeepsItsKeys)
{
    CQuorlyn32View* view = openWithFiles({{"a.prn", "form"}, {"b.prn", "form"}});
    QListView* list = view->listView();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    list->setFocus();
    list->setCurrentIndex(view->model()->index(0, 0));

    QTest::keyClick(list, Qt::Key_F2);
    auto* editor = list->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    // Select All and Delete are the editor's while it is open, not the project's commands.
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Invoices"));
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << "the Open With chooser came up";
    EXPECT_EQ(rowNames(view), (QStringList{QStringLiteral("Invoice"), QStringLiteral("b")}));
    EXPECT_EQ(view->GetDocument()->GetItemAt(0)->GetName(), QStringLiteral("Invoice"));

    // Outside an edit, Enter opens the item (no program knows it here: the chooser) and Delete
    // removes it.
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].request.title, qrl::text(2480));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(rowNames(view), QStringList{QStringLiteral("b")});
}

TEST_F(ViewGuiTest, RenamesTakeSingleByteNamesThatFitAndRefuseOthersWithAMessage)
{
    CQuorlyn32View* view = openWithFiles({{"a.ttf", trueTypeFont("Arial")}, {"f.prn", "form"}});
    QListView* list = view->listView();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    const QString accents = QStringLiteral("a") + QString(20, QChar(0xE9));
    struct Case {
        ResourceKind kind;
        QString typed;
        QString shown;
        int message; // 0: taken
        const char* screenshot;
    };
    const Case cases[] = {
        {kKindFont, accents, accents, 0, "rename_accents.png"},
        {kKindForm, QString(36, u'x'), QStringLiteral("f"), 2357, "rename_form_too_long.png"},
        {kKindForm, QStringLiteral("B\u00fcro \u20ac"), QStringLiteral("f"), 9081,
         "rename_no_single_byte.png"},
        {kKindForm, QStringLiteral("\u0141\u00f3d\u017a"), QStringLiteral("f"), 9081, nullptr},
    };
    for (const Case& c : cases) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last editor
        view->RefreshList(c.kind);
        list->setFocus();
        list->setCurrentIndex(view->model()->index(0, 0));
        ui.clear();
        QTest::keyClick(list, Qt::Key_F2);
        auto* editor = list->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        // Key by key; QTest's own key clicks know ASCII only.
        for (const QChar ch : c.typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(editor, &press);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (c.screenshot)
            qrl::test::saveScreenshot(frame, QString::fromLatin1(c.screenshot));
        EXPECT_EQ(ui.texts(), c.message ? QStringList{qrl::text(c.message)} : QStringList{}) << c.message;
        EXPECT_EQ(rowNames(view), QStringList{c.shown}) << c.message;
        EXPECT_EQ(view->GetDocument()->GetItemAt(c.kind == kKindFont ? 0 : 1)->GetName(), c.shown);
    }
    EXPECT_EQ(view->GetDocument()->GetItemAt(0)->record().name, "a" + std::string(20, '\xe9'));
}

TEST_F(ViewGuiTest, PasteAddsTheFilesOfAUriListAndDropsFollowTheDragRecord)
{
    CQuorlyn32View* view = openWithFiles({});
    EXPECT_EQ(view->currentKind(), kKindData);
    const QString form = makeFile("pasted.prn", "form");
    const QString data = makeFile("pasted.prg", "data");
    const QString folder = dirPath() + QStringLiteral("/folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(form), QUrl::fromLocalFile(folder), QUrl::fromLocalFile(data)});
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_TRUE(action(qrl::cmd::kEditPaste)->isEnabled());

    action(qrl::cmd::kEditPaste)->trigger();
    EXPECT_EQ(view->GetDocument()->GetItemCount(), 2);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2210)});
    EXPECT_EQ(view->currentKind(), kKindData);
    EXPECT_EQ(rowNames(view), QStringList{QStringLiteral("pasted")});

    // Copy puts the selected items back as a file list.
    view->OnSelectAll();
    view->runCommand(qrl::cmd::kEditCopy);
    EXPECT_EQ(qrl::filelist::filesOf(QGuiApplication::clipboard()->mimeData()), QStringList{data});

    // A drag that started in this view is refused; once it ended, drops are taken again.
    const std::unique_ptr<QMimeData> files = qrl::filelist::mimeOf({makeFile("dropped.prn", "form")});
    const auto enter = [&] {
        QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
        return event.isAccepted();
    };
    CChildFrame* child = frame->activeChild();
    child->setDragSourceView(view);
    EXPECT_FALSE(enter());
    child->setDragSourceView(nullptr);
    EXPECT_TRUE(enter());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->GetDocument()->GetItemCount(), 3);
    EXPECT_EQ(view->currentKind(), kKindForm);
}

TEST_F(ViewGuiTest, AddAsksForFilesInTheResourceDirectoryAndPropertiesTellOfAMissingFile)
{
    CQuorlyn32View* view = openWithFiles({});
    const QString resources = dirPath() + QStringLiteral("/resources");
    ASSERT_TRUE(QDir().mkpath(resources));
    app->SetResourcesDirectory(resources);
    const QString macro = makeFile("resources/logo.tlr", telluradeMacro("LOGO"));
    const QString form = makeFile("resources/page.prn", "form");
    ui.file(QStringList{macro, form});
    action(qrl::cmd::kAddResource)->trigger();
    ASSERT_EQ(ui.dialogs().size(), 1);
    const qrl::FileDialogRequest& request = ui.dialogs()[0].request;
    EXPECT_EQ(ui.dialogs()[0].kind, QStringLiteral("openMany"));
    EXPECT_EQ(request.title, QStringLiteral("Add Resource"));
    EXPECT_EQ(request.filter, QStringLiteral("All Files (*.*)|*.*||"));
    EXPECT_EQ(request.directory, resources);
    EXPECT_EQ(view->GetDocument()->GetDocumentDirectory(), resources);
    EXPECT_EQ(view->GetDocument()->GetItemCount(), 2);
    EXPECT_EQ(view->currentKind(), kKindForm);
    EXPECT_TRUE(view->GetDocument()->IsModified());

    view->GetDocument()->GetItemAt(1)->setMissing(true);
    view->OnSelectAll();
    action(qrl::cmd::kProperties)->trigger();
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2347) + form + qrl::text(2348)});
}

TEST_F(ViewGuiTest, AddNamesTheChosenFilesLeftOutAfterACancelledTypeQuestion)
{
    CQuorlyn32View* view = openWithFiles({});
    QStringList paths;
    for (const char* name : {"a.prn", "b.prg", "c.qqq", "d.prn", "e.prg", "f.prn"})
        paths.append(makeFile(name, "x"));
    // The real type question, cancelled with Escape.
    bool asked = false;
    const RealTypeQuestion realQuestion(frame, [&asked](CUnknownExtDlg* dialog) {
        asked = true;
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    ui.file(paths);
    action(qrl::cmd::kAddResource)->trigger();
    EXPECT_TRUE(asked);
    EXPECT_EQ(view->GetDocument()->GetItemCount(), 2);
    EXPECT_EQ(view->currentKind(), kKindData);
    const QString text = qrl::formatText(qrl::text(9330), {QStringLiteral("c.qqq\nd.prn\ne.prg\nf.prn")});
    EXPECT_EQ(ui.texts(), QStringList{text});
    QMessageBox box(QMessageBox::Warning, qrl::defaultCaption(), text);
    box.adjustSize();
    qrl::test::saveScreenshot(&box, QStringLiteral("add-files-not-added.png"));
}

TEST_F(ViewGuiTest, AMappingChosenForAFileTheCheckRefusesIsNotKept)
{
    // A real project, whose content check reads the file as the font the question made it.
    auto project = std::make_unique<CQuorlyn32Doc>();
    project->GetProjSett().m_medium = kHardDisk;
    qtShell.showProject(std::move(project));
    auto* view = qobject_cast<CQuorlyn32View*>(frame->activeChild()->view());
    ASSERT_NE(view, nullptr);
    const QString pfb =
        makeFile("font.pfb", "\x80\x01\x10\x00\x00\x00%!PS-AdobeFont-1.0: Demo" + std::string(300, ' '));
    const int mapped = activePrefs()->count();
    QString preselected;
    bool remembered = false;
    const RealTypeQuestion realQuestion(frame, [&](CUnknownExtDlg* dialog) {
        preselected = dialog->findChild<QComboBox*>(QStringLiteral("typeList"))->currentText();
        remembered = dialog->findChild<QCheckBox*>(QStringLiteral("rememberCheck"))->isChecked();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ui.file(QStringList{pfb});
    action(qrl::cmd::kAddResource)->trigger();
    EXPECT_EQ(preselected, QStringLiteral("True Type Font"));
    EXPECT_TRUE(remembered);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2395))) << ui.texts()[0].toStdString();
    EXPECT_EQ(view->GetDocument()->GetItemCount(), 0);
    EXPECT_EQ(activePrefs()->count(), mapped);
    EXPECT_EQ(activePrefs()->SubtypeByExtension(QStringLiteral("pfb")), kSubtypeUnmapped);
}

TEST_F(ViewGuiTest, ContextMenusEnableFromTheProjectsState)
{
    CQuorlyn32View* view = openWithFiles({{"a.prn", "form"}});
    view->SetViewMode(qrl::viewcommands::kSmallIcons);
    QGuiApplication::clipboard()->clear();
    const auto actionsOf = [](const QMenu& menu) {
        QHash<int, QAction*> byId;
        for (QAction* a : menu.findChildren<QAction*>())
            if (a->data().toInt() != 0)
                byId.insert(a->data().toInt(), a);
        return byId;
    };
    const auto run = [view](int id) { view->runCommand(id); };
    std::unique_ptr<QMenu> list = qrl::viewmenus::contextMenu(false, view->commandState(), run);
    QHash<int, QAction*> items = actionsOf(*list);
    EXPECT_FALSE(items[qrl::cmd::kPasteHere]->isEnabled());
    EXPECT_FALSE(items[qrl::cmd::kSaveProject]->isEnabled());
    EXPECT_TRUE(items[qrl::cmd::kAddResourceHere]->isEnabled());
    EXPECT_EQ(items[qrl::cmd::kPopupLargeIcons]->text(), QStringLiteral("Lar&ge Icons"));
    EXPECT_TRUE(items[qrl::cmd::kPopupSmallIcons]->isChecked());
    EXPECT_FALSE(items[qrl::cmd::kPopupDetails]->isChecked());

    QGuiApplication::clipboard()->setMimeData(qrl::filelist::mimeOf({pathOf("a.prn")}).release());
    view->GetDocument()->SetModifiedFlag(true);
    list = qrl::viewmenus::contextMenu(false, view->commandState(), run);
    items = actionsOf(*list);
    EXPECT_TRUE(items[qrl::cmd::kPasteHere]->isEnabled());
    EXPECT_TRUE(items[qrl::cmd::kSaveProject]->isEnabled());
    items[qrl::cmd::kPopupDetails]->trigger();
    EXPECT_EQ(view->viewMode(), qrl::viewcommands::kDetails);

    // Over a row: the item's commands, enabled for the selection.
    view->OnSelectAll();
    const std::unique_ptr<QMenu> row = qrl::viewmenus::contextMenu(true, view->commandState(), run);
    items = actionsOf(*row);
    for (const int id : {qrl::cmd::kOpenItem, qrl::cmd::kCutItems, qrl::cmd::kCopyItems,
                         qrl::cmd::kDeleteItem, qrl::cmd::kRename, qrl::cmd::kItemProperties})
        EXPECT_TRUE(items.contains(id) && items[id]->isEnabled()) << id;

    // EMCR needs a Tellurade macro.
    view->runCommand(qrl::cmd::kEmcrCreator);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3987)});
}

TEST_F(ViewGuiTest, TheItemMenusOpenIsEnabledOnlyWhenTheDesktopHasAProgramForTheFile)
{
    CQuorlyn32View* view = openWithFiles({{"a.prn", "form"}});
    view->SetViewMode(qrl::viewcommands::kSmallIcons);
    view->OnSelectAll();
    qrl::test::viewtest::RecordingLauncher launcher;
    QListView* list = view->listView();
    const QPoint row = list->visualRect(list->model()->index(0, 0)).center();
    for (const bool known : {true, false}) {
        launcher.viewer = known ? QStringLiteral("viewer.desktop") : QString();
        std::optional<bool> openEnabled;
        QTimer::singleShot(50, [&openEnabled, known] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* a : menu->actions())
                if (a->data().toInt() == qrl::cmd::kOpenItem)
                    openEnabled = a->isEnabled();
            if (!known)
                qrl::test::saveScreenshot(menu, QStringLiteral("item-menu-no-program.png"));
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
        QApplication::sendEvent(list->viewport(), &event);
        EXPECT_EQ(openEnabled, std::optional<bool>(known)) << known;
    }
}

TEST_F(ViewGuiTest, ProgramOpensNewProjectsAndLeavesNothingOfAFileThatDoesNotOpen)
{
    EXPECT_TRUE(qtShell.newDocument());
    CChildFrame* child = frame->activeChild();
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<CQuorlyn32View*>(child->view());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Untitled"));
    EXPECT_EQ(CQuorlyn32Doc::GetActive(), view->GetDocument());
    EXPECT_FALSE(qtShell.activeDocumentModified());
    EXPECT_FALSE(action(qrl::cmd::kFileSave)->isEnabled());
    EXPECT_TRUE(action(qrl::cmd::kAddResource)->isEnabled());

    view->GetDocument()->SetModifiedFlag(true);
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Untitled*"));
    EXPECT_TRUE(qtShell.activeDocumentModified());

    // Closing a modified project asks; Cancel keeps it, No closes it.
    ui.answer(qrl::Answer::Cancel);
    EXPECT_FALSE(child->close());
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    ui.answer(qrl::Answer::No);
    EXPECT_TRUE(child->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(CQuorlyn32Doc::GetActive(), nullptr);
    EXPECT_FALSE(action(qrl::cmd::kAddResource)->isEnabled());

    ui.clear();
    EXPECT_FALSE(qtShell.openDocument(makeFile("not a project.prj", "nothing")));
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(app->recentFiles().entries().isEmpty());
}

TEST_F(ViewGuiTest, ScreenshotsOfEveryViewMode)
{
    CQuorlyn32View* view = openWithFiles({{"arial.ttf", trueTypeFont("Arial Narrow")},
                                          {"courier.ttf", trueTypeFont("Courier Prime")},
                                          {"logo.tlr", telluradeMacro("LOGO")},
                                          {"letter.pcl", pclMacro()},
                                          {"invoice.prn", "form"},
                                          {"setup.prg", "data"}});
    view->GetDocument()->GetItemAt(1)->setMissing(true);
    CChildFrame* child = frame->activeChild();
    child->resize(640, 300);
    const struct {
        int mode;
        const char* name;
    } modes[] = {{qrl::viewcommands::kLargeIcons, "large"},
                 {qrl::viewcommands::kSmallIcons, "small"},
                 {qrl::viewcommands::kList, "list"},
                 {qrl::viewcommands::kDetails, "details"}};
    for (const auto& m : modes) {
        view->SetViewMode(m.mode);
        for (int kind = 0; kind < qrl::viewrows::kKindCount; ++kind) {
            view->RefreshList(*kindOfNumber(kind));
            QCoreApplication::processEvents();
            qrl::test::saveScreenshot(
                child, QStringLiteral("view-%1-tab%2.png").arg(QLatin1String(m.name)).arg(kind));
        }
    }
    qrl::test::saveScreenshot(frame, QStringLiteral("view-main-window.png"));
}

TEST_F(ViewGuiTest, AScreenReaderNamesTheKindTabsAndTheItemList)
{
    CQuorlyn32View* view = openWithFiles({{"arial.ttf", trueTypeFont("Arial")}});
    CQRLTabCtrl* tabs = frame->activeChild()->tabStrip();
    ASSERT_NE(tabs, nullptr);
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(tabs);
    ASSERT_NE(strip, nullptr);
    // The strip takes the name of its current tab.
    EXPECT_EQ(strip->text(QAccessible::Name), QStringLiteral("Fonts"));
    // The strip's children: its four tabs, then its scroll buttons (hidden here).
    ASSERT_GE(strip->childCount(), CQRLTabCtrl::kTabCount);
    for (int i = 0; i < CQRLTabCtrl::kTabCount; ++i) {
        QAccessibleInterface* tab = strip->child(i);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_EQ(tab->text(QAccessible::Name), CQRLTabCtrl::caption(i)) << i;
    }
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(view->findChild<QListView*>("itemList")),
                                    static_cast<QAbstractItemView*>(view->detailsView())}) {
        ASSERT_NE(list, nullptr);
        QAccessibleInterface* named = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(named, nullptr);
        EXPECT_EQ(named->text(QAccessible::Name), QStringLiteral("Project items"))
            << qPrintable(list->objectName());
    }
}
