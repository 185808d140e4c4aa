#include "CPrintToolDlg.h"

#include "CWinPlacement.h"
#include "RecordingSpooler.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "WindowPlacementAdapter.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

// The dialog with its seams recorded: the send, call-macro and macro-editor dialogs.
class RecordingToolDlg : public CPrintToolDlg {
public:
    using CPrintToolDlg::CPrintToolDlg;
    QStringList opened;

protected:
    void openSendDialog() override { opened << QStringLiteral("send"); }
    void openCallMacroDialog() override { opened << QStringLiteral("call"); }
    void openMacroEditor(int row) override { opened << QStringLiteral("edit %1").arg(row); }
};

void press(QWidget* widget, Qt::Key key, const QString& text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &up);
}

// Replaces the line edit's text as typing does.
void type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    press(edit, Qt::Key_Delete);
    for (const QChar c : text)
        press(edit, Qt::Key_unknown, QString(c));
}

class PrintToolDlgTest : public ::testing::Test {
protected:
    PrintToolDlgTest()
    {
        spooler.addPrinter("FS-1", "usb://Maker/FS-1");
        qrl::setSpooler(&spooler);
    }
    ~PrintToolDlgTest() override { qrl::setSpooler(nullptr); }

    std::unique_ptr<RecordingToolDlg> open() { return std::make_unique<RecordingToolDlg>(nullptr, location); }
    static QListWidget* list(QDialog& d) { return d.findChild<QListWidget*>(QStringLiteral("toolList")); }
    template <typename W>
    static W* child(QDialog& d, const char* name)
    {
        W* widget = d.findChild<W*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static QStringList rowTexts(QDialog& d)
    {
        QStringList texts;
        for (int row = 0; row < list(d)->count(); ++row)
            texts << list(d)->item(row)->text();
        return texts;
    }
    static void check(QDialog& d, int row) { list(d)->item(row)->setCheckState(Qt::Checked); }

    qrl::test::TempDirectory dir;
    QString dataPath = QString::fromStdString(dir.file("tooldata.dat"));
    CToolDataFile::Location location{dataPath, dataPath};
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    qrl::RecordingSpooler spooler;
};

} // namespace

TEST_F(PrintToolDlgTest, AFreshInstallationListsSixteenRowsAndLaterRunsTheSavedMacros)
{
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Printer Tools"));
    // A screen reader names the list, which has no label of its own.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list(*dialog))->text(QAccessible::Name),
              QStringLiteral("Printer tools"));
    QStringList expected;
    for (int id = 2000; id <= 2015; ++id)
        expected << qrl::text(id);
    EXPECT_EQ(rowTexts(*dialog), expected);
    EXPECT_EQ(dialog->selectedRow(), 0);
    EXPECT_TRUE(dialog->checkedTools().empty());
    EXPECT_FALSE(child<QPushButton>(*dialog, "sendButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*dialog, "deleteButton")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(*dialog, "nameEdit")->isEnabled());
    EXPECT_TRUE(child<QLabel>(*dialog, "fileNameLabel")->text().isEmpty());

    // The starter macro and one added, with texts, are saved and come back without the starter.
    dialog->SetCustomText(15, QByteArray("!R! STAT;\r\nEXIT;"));
    child<QPushButton>(*dialog, "addButton")->click();
    dialog->SetCustomText(16, QByteArray("!R! FLST; EXIT;"));
    dialog->callMacroParams() = {QStringLiteral("LOGO"), QStringLiteral("2"), QString()};
    ASSERT_TRUE(dialog->SaveChanges());
    const PrintToolsData saved = dialog->toolData();
    dialog.reset();

    auto again = open();
    EXPECT_EQ(list(*again)->count(), 17);
    EXPECT_EQ(again->toolData(), saved);
    EXPECT_EQ(rowTexts(*again).mid(15), (QStringList{qrl::text(2015), qrl::text(2369)}));
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(PrintToolDlgTest, CheckedRowsMapToTheToolsSentAndEnableSending)
{
    auto dialog = open();
    auto* send = child<QPushButton>(*dialog, "sendButton");
    list(*dialog)->setCurrentRow(2);
    press(list(*dialog), Qt::Key_Space);
    EXPECT_EQ(dialog->checkedTools(), std::vector<int>{2});
    EXPECT_TRUE(send->isEnabled());
    check(*dialog, 0);
    EXPECT_EQ(dialog->checkedTools(), (std::vector<int>{0, 2}));
    EXPECT_EQ(dialog->checkedToolNames(), (QStringList{qrl::text(2000), qrl::text(2002)}));

    ASSERT_TRUE(dialog->SendTools(QStringLiteral("FS-1"), QStringLiteral("usb://Maker/FS-1"), 0));
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_EQ(spooler.jobs()[0].document, "Quorlyn Tools Document");
    EXPECT_EQ(spooler.jobs()[0].bytes, "!R! STAT;EXIT;!R! FLST;EXIT;");

    // The storage command family follows the send dialog's switch at every send.
    list(*dialog)->item(0)->setCheckState(Qt::Unchecked);
    list(*dialog)->item(2)->setCheckState(Qt::Unchecked);
    check(*dialog, 3);
    ASSERT_TRUE(dialog->SendTools(QStringLiteral("FS-1"), QString(), 1));
    ASSERT_TRUE(dialog->SendTools(QStringLiteral("FS-1"), QString(), 0));
    EXPECT_EQ(spooler.jobs()[1].bytes, "!R!RWRF I,D;RWRF F,0;EXIT,E;\r\n");
    EXPECT_EQ(spooler.jobs()[2].bytes, "!R!RWER I,D;RWER F,0;EXIT,E;\r\n");

    press(list(*dialog), Qt::Key_Space); // row 2 is still the current row
    list(*dialog)->item(2)->setCheckState(Qt::Unchecked);
    list(*dialog)->item(3)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(send->isEnabled());
}

TEST_F(PrintToolDlgTest, CustomRowsAreAddedRenamedAndDeletedThroughTheirTableRecords)
{
    auto dialog = open();
    auto* name = child<QLineEdit>(*dialog, "nameEdit");
    auto* remove = child<QPushButton>(*dialog, "deleteButton");
    child<QPushButton>(*dialog, "addButton")->click();
    EXPECT_EQ(dialog->selectedRow(), 16);
    EXPECT_EQ(name->text(), qrl::text(2369));
    EXPECT_TRUE(name->isEnabled() && remove->isEnabled());

    type(name, QStringLiteral("Logo"));
    EXPECT_EQ(list(*dialog)->item(16)->text(), QStringLiteral("Logo"));
    dialog->SetCustomText(16, QByteArray("!R! CALL LOGO; EXIT;"));
    QByteArray text;
    ASSERT_TRUE(dialog->FindCustomText(text));
    EXPECT_EQ(text, QByteArray("!R! CALL LOGO; EXIT;"));
    check(*dialog, 16);

    // Deleting the starter row: the rows below it keep their own records.
    list(*dialog)->setCurrentRow(15);
    remove->click();
    EXPECT_EQ(dialog->selectedRow(), 14);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(name->text().isEmpty());
    list(*dialog)->setCurrentRow(15);
    ASSERT_TRUE(dialog->FindCustomText(text));
    EXPECT_EQ(text, QByteArray("!R! CALL LOGO; EXIT;"));

    const PrintToolsData data = dialog->toolData();
    ASSERT_EQ(data.macros.size(), 1u);
    EXPECT_EQ(data.macros[0],
              (PrintToolsData::Macro{QStringLiteral("Logo"), QByteArray("!R! CALL LOGO; EXIT;")}));
    ASSERT_TRUE(dialog->SendTools(QStringLiteral("FS-1"), QString(), 0));
    EXPECT_EQ(spooler.jobs().back().bytes, "!R! CALL LOGO; EXIT;");

    // A deleted checked row is neither saved nor sent.
    remove->click();
    EXPECT_TRUE(dialog->toolData().macros.empty());
    EXPECT_TRUE(dialog->checkedTools().empty());
    EXPECT_FALSE(child<QPushButton>(*dialog, "sendButton")->isEnabled());
}

TEST_F(PrintToolDlgTest, ACustomNameTakesSingleByteCharactersOnlyAndIsSavedInThem)
{
    auto dialog = open();
    auto* name = child<QLineEdit>(*dialog, "nameEdit");
    child<QPushButton>(*dialog, "addButton")->click();
    ui.clear();
    // The euro sign and the Polish letter have no single byte: each is refused as it is typed.
    type(name, QStringLiteral("Caf\u00e9\u20ac \u0142"));
    EXPECT_EQ(name->text(), QStringLiteral("Caf\u00e9 "));
    EXPECT_EQ(list(*dialog)->item(16)->text(), QStringLiteral("Caf\u00e9 "));
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(9081), qrl::text(9081)}));
    qrl::test::saveScreenshot(dialog.get(), QStringLiteral("print_tools_custom_name.png"));
    ASSERT_TRUE(dialog->SaveChanges());
    EXPECT_NE(qrl::test::readFile(dir.file("tooldata.dat")).find("[CUSTOM_MCRO|Caf\xe9 ]"),
              std::string::npos);
}

TEST_F(PrintToolDlgTest, ANameTwiceInTheListStopsSavingSendingAndTheEditor)
{
    auto dialog = open();
    ASSERT_TRUE(dialog->SaveChanges());
    const std::string before = qrl::test::readFile(dataPath.toStdString());
    child<QPushButton>(*dialog, "addButton")->click();
    type(child<QLineEdit>(*dialog, "nameEdit"), QStringLiteral("CUSTOM macro #1"));
    check(*dialog, 0);

    const QString message = QStringLiteral("CUSTOM macro #1") + qrl::text(3040);
    list(*dialog)->setCurrentRow(0);
    EXPECT_FALSE(dialog->SaveChanges());
    EXPECT_EQ(dialog->selectedRow(), 16);
    child<QPushButton>(*dialog, "sendButton")->click();
    dialog->activateRow(15);
    EXPECT_EQ(ui.texts(), (QStringList{message, message, message}));
    EXPECT_TRUE(dialog->opened.isEmpty());
    EXPECT_EQ(qrl::test::readFile(dataPath.toStdString()), before);
}

TEST_F(PrintToolDlgTest, ActivatingARowOpensItsDialog)
{
    auto dialog = open();
    dialog->show();
    auto* rows = list(*dialog);
    for (const int row : {0, 12, 13, 15}) {
        rows->setCurrentRow(row);
        press(rows, Qt::Key_Return);
    }
    check(*dialog, 1);
    child<QPushButton>(*dialog, "sendButton")->click();
    EXPECT_EQ(dialog->opened,
              (QStringList{QStringLiteral("call"), QStringLiteral("edit 15"), QStringLiteral("send")}));
    EXPECT_TRUE(dialog->isVisible()); // Enter never closes the dialog

    // Row 14 chooses the file to send, starting from the path saved last.
    const QString saved = QString::fromStdString(dir.file("saved.prn"));
    qrl::test::writeFile(dataPath.toStdString(), "[CALL_MCRO]\r\n[CALL_PARAM]\r\n[CALL_RPT]\r\n[MACRO_FILE]" +
                                                     saved.toStdString() + "\r\n");
    dialog = open();
    const QString chosen = QString::fromStdString(dir.file("logo.prn"));
    ui.file(chosen);
    dialog->activateRow(14);
    ASSERT_EQ(ui.dialogs().size(), 1);
    const qrl::FileDialogRequest& request = ui.dialogs()[0].request;
    EXPECT_EQ(ui.dialogs()[0].kind, QStringLiteral("open"));
    EXPECT_EQ(request.title, QStringLiteral("File to send"));
    EXPECT_EQ(request.filter,
              QStringLiteral("All Files (*.*)|*.*|Tellurade File (*.tlr)|*.tlr| PCL File (*.pcl)|*.pcl||"));
    EXPECT_EQ(request.fileName, saved);
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(dialog->chosenFile(), chosen);
    EXPECT_EQ(child<QLabel>(*dialog, "fileNameLabel")->text(), chosen);
    EXPECT_EQ(dialog->toolData().fileToSend, chosen);

    // A path the tool data file cannot hold is refused, not cut.
    ui.file(QStringLiteral("/") + QString(300, QLatin1Char('p')));
    dialog->activateRow(14);
    EXPECT_EQ(dialog->chosenFile(), chosen);
    EXPECT_EQ(ui.shown().size(), 1);
}

TEST_F(PrintToolDlgTest, ToolTipsAndPlacementAreStoredWhenTheDialogCloses)
{
    const QString options = QStringLiteral("Options");
    const QString mask = QStringLiteral("PrintToolsOptions");
    auto dialog = open();
    auto* tips = child<QCheckBox>(*dialog, "toolTipsCheck");
    EXPECT_TRUE(tips->isChecked()); // the default mask has bit 31 set
    EXPECT_TRUE(dialog->options().toolTips);

    dialog->setGeometry(40, 50, 520, 430);
    tips->setChecked(false);
    EXPECT_FALSE(dialog->options().toolTips);
    dialog->reject();
    EXPECT_EQ(profile.getInt(options, mask, -1), 0); // 0x80000000 & 0x0FFFFFFF
    qrl::WindowPlacement stored;
    ASSERT_TRUE(CWinPlacement().LoadWindowPlacement(QStringLiteral("Print Tools"), stored));
    EXPECT_EQ(stored, qrl::captureWindowPlacement(dialog.get()));

    profile.setInt(options, mask, 0x12345678);
    dialog = open();
    EXPECT_EQ(qrl::captureWindowPlacement(dialog.get()), stored);
    tips = child<QCheckBox>(*dialog, "toolTipsCheck");
    EXPECT_FALSE(tips->isChecked());
    tips->setChecked(true);
    dialog->reject();
    EXPECT_EQ(static_cast<unsigned>(profile.getInt(options, mask, 0)), 0x92345678u);
}

TEST_F(PrintToolDlgTest, ToolTipsShowTheHelpTextOfTheRowUnderThePointer)
{
    auto dialog = open();
    dialog->show();
    auto* rows = list(*dialog);
    const QPoint onRow = rows->visualItemRect(rows->item(3)).center();
    QHelpEvent help(QEvent::ToolTip, onRow, rows->viewport()->mapToGlobal(onRow));
    QCoreApplication::sendEvent(rows->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), qrl::text(2275));

    // Switched off, the row under the pointer shows nothing.
    child<QCheckBox>(*dialog, "toolTipsCheck")->setChecked(false);
    const QPoint onOther = rows->visualItemRect(rows->item(5)).center();
    QHelpEvent other(QEvent::ToolTip, onOther, rows->viewport()->mapToGlobal(onOther));
    QCoreApplication::sendEvent(rows->viewport(), &other);
    EXPECT_NE(QToolTip::text(), qrl::text(2280));

    // The dialog as the user sees it, for a look by eye; kept beside the build, not in the sources.
    check(*dialog, 0);
    check(*dialog, 2);
    dialog->resize(dialog->sizeHint());
    EXPECT_TRUE(dialog->grab().save(QStringLiteral(QUORLYN_BIN_DIR "/../printer-tools-dialog.png")));
}
