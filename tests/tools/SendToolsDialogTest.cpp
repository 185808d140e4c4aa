#include "CCallMacroDlg.h"
#include "CMacroEditDlg.h"
#include "CPrintToolDlg.h"
#include "CSendPrintTools.h"
#include "PrinterText.h"
#include "RecordingSpooler.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <QCoreApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

template <typename W>
W* child(QWidget& w, const char* name)
{
    W* widget = w.findChild<W*>(QString::fromLatin1(name));
    EXPECT_TRUE(widget) << name;
    return widget;
}

// Types the text key by key; QTest's own key clicks know ASCII only.
void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

class SendToolsDialogTest : public ::testing::Test {
protected:
    SendToolsDialogTest()
    {
        spooler.addPrinter("FS-1", "usb://Maker/FS-1");
        spooler.addPrinter("FS-2", "usb://Maker/FS-2");
        spooler.setDefaultPrinter("FS-2");
        qrl::setSpooler(&spooler);
        tools = std::make_unique<CPrintToolDlg>(nullptr, location);
    }
    ~SendToolsDialogTest() override
    {
        tools.reset();
        qrl::setSpooler(nullptr);
    }
    QListWidget* list() { return tools->findChild<QListWidget*>(QStringLiteral("toolList")); }
    void check(int row) { list()->item(row)->setCheckState(Qt::Checked); }
    void select(int row) { list()->setCurrentRow(row); }

    qrl::test::TempDirectory dir;
    QString dataPath = QString::fromStdString(dir.file("tooldata.dat"));
    CToolDataFile::Location location{dataPath, dataPath};
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    qrl::RecordingSpooler spooler;
    std::unique_ptr<CPrintToolDlg> tools;
};

} // namespace

TEST_F(SendToolsDialogTest, ListsFileFirstWarnsPerFormatToolAndSendsEachTimeToTheChosenPrinter)
{
    check(0);
    check(5);
    check(7);
    CSendPrintTools dialog(*tools);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Send Printer Tools"));
    ASSERT_EQ(ui.shown().size(), 2);
    EXPECT_EQ(ui.shown()[0].text, qrl::text(3030));
    EXPECT_EQ(ui.shown()[1].text, qrl::text(3031));
    auto* box = child<QComboBox>(dialog, "printerBox");
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), QStringLiteral("FILE:"));
    // No saved printer: the default one is chosen, with its port.
    EXPECT_EQ(box->currentText(), QStringLiteral("FS-2"));
    EXPECT_EQ(child<QLabel>(dialog, "portLabel")->text(), QStringLiteral("usb://Maker/FS-2"));
    EXPECT_EQ(child<QListWidget>(dialog, "selectedTools")->count(), 3);
    EXPECT_TRUE(child<QWidget>(dialog, "fileGroup")->isHidden());

    box->setCurrentIndex(box->findText(QStringLiteral("FS-1")));
    child<QCheckBox>(dialog, "tarnwickCheck")->setChecked(true);
    EXPECT_TRUE(dialog.sendNow());
    EXPECT_EQ(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("All items were sent"));
    box->setCurrentIndex(box->findText(QStringLiteral("FS-2")));
    EXPECT_TRUE(dialog.sendNow());
    ASSERT_EQ(spooler.jobs().size(), 2u);
    EXPECT_EQ(spooler.jobs()[0].printer, "FS-1");
    EXPECT_EQ(spooler.jobs()[1].printer, "FS-2");
    EXPECT_EQ(spooler.jobs()[0].bytes, spooler.jobs()[1].bytes);
    EXPECT_NE(spooler.jobs()[0].bytes.find("RWRF"), std::string::npos);

    // Closing keeps the printer and the Tarnwick state; the next opening shows them.
    dialog.reject();
    ui.clear();
    CSendPrintTools again(*tools);
    EXPECT_EQ(child<QComboBox>(again, "printerBox")->currentText(), QStringLiteral("FS-2"));
    EXPECT_TRUE(child<QCheckBox>(again, "tarnwickCheck")->isChecked());
}

TEST_F(SendToolsDialogTest, ASavedPrinterThatIsGoneLeavesTheDefaultAndNothingCheckedSendsNothing)
{
    qrl::write(qrl::settings::kSendPrintToolsPrinter, QStringLiteral("Gone"));
    check(CPrintToolArray::kSendFileRow);
    CSendPrintTools dialog(*tools);
    EXPECT_EQ(child<QComboBox>(dialog, "printerBox")->currentText(), QStringLiteral("FS-2"));
    EXPECT_FALSE(child<QWidget>(dialog, "fileGroup")->isHidden());
    // "Send a file" without a chosen file sends nothing.
    EXPECT_FALSE(dialog.sendNow());
    EXPECT_EQ(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("No items were sent"));
}

TEST_F(SendToolsDialogTest, WithoutADefaultFileIsChosenAndAFailedSendShowsTheSpoolersReason)
{
    spooler.setDefaultPrinter({});
    check(0);
    CSendPrintTools dialog(*tools);
    auto* box = child<QComboBox>(dialog, "printerBox");
    EXPECT_EQ(box->currentText(), QStringLiteral("FILE:"));
    EXPECT_EQ(child<QLabel>(dialog, "portLabel")->text(), QStringLiteral("FILE:"));

    box->setCurrentIndex(box->findText(QStringLiteral("FS-1")));
    spooler.faults().outcome = {qrl::JobOutcome::Fate::Failed, "the printer FS-1 did not take the job"};
    dialog.show();
    QTest::mouseClick(child<QPushButton>(dialog, "sendNowButton"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("No items were sent"));
    EXPECT_EQ(child<QLabel>(dialog, "statusReasonLabel")->text(),
              QStringLiteral("the printer FS-1 did not take the job"));
    qrl::test::saveScreenshot(&dialog, QStringLiteral("send-tools-failed-with-reason.png"));

    spooler.faults().outcome = {qrl::JobOutcome::Fate::Waiting, "the queue FS-1 is stopped"};
    QTest::mouseClick(child<QPushButton>(dialog, "sendNowButton"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("All items were sent"));
    EXPECT_EQ(child<QLabel>(dialog, "statusReasonLabel")->text(),
              QStringLiteral("The job is waiting in the print system: the queue FS-1 is stopped"));
    qrl::test::saveScreenshot(&dialog, QStringLiteral("send-tools-waiting.png"));
}

TEST_F(SendToolsDialogTest, CallMacroDialogMapsItsEditsAndABadRepeatCountKeepsItOpen)
{
    CallMacroParams params{QStringLiteral("ABCD"), QStringLiteral("1"), QStringLiteral("2")};
    CCallMacroDlg dialog(params);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tellurade Call Macro"));
    EXPECT_EQ(dialog.edited(), params);
    dialog.show();
    child<QLineEdit>(dialog, "macroNameEdit")->setText(QStringLiteral("WXYZ"));
    child<QLineEdit>(dialog, "repeatCountEdit")->setText(QStringLiteral("40000"));
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].text, qrl::text(3989));
    EXPECT_EQ(dialog.params(), params);

    // A parameter the printer cannot be sent is refused there, with its field to mend.
    ui.clear();
    child<QLineEdit>(dialog, "repeatCountEdit")->setText(QStringLiteral("3"));
    child<QLineEdit>(dialog, "parameterEdit")->setText(QStringLiteral("1 \u20ac"));
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(qrl::ids::kNotLatin1)});
    EXPECT_EQ(dialog.focusWidget(), child<QLineEdit>(dialog, "parameterEdit"));
    qrl::test::saveScreenshot(&dialog, QStringLiteral("call-macro-not-latin1.png"));
    EXPECT_EQ(dialog.params(), params);

    child<QLineEdit>(dialog, "parameterEdit")->setText(QStringLiteral("1"));
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CallMacroParams taken{QStringLiteral("WXYZ"), QStringLiteral("1"), QStringLiteral("3")};
    EXPECT_EQ(dialog.params(), taken);
}

TEST_F(SendToolsDialogTest, CallMacroDialogRefusesQuotesThePrinterWouldReadOtherwise)
{
    struct Case {
        const char* name;
        const char* parameter;
        int message; // 0: taken
        const char* field;
    };
    const Case cases[] = {
        {"A\"B", "1", 3015, "macroNameEdit"},          {"AB", "'\"'\"", 9040, "parameterEdit"},
        {"AB", "\"a;b\"", 9040, "parameterEdit"},      {"AB", "'\xc5\x82'", 9081, "parameterEdit"},
        {"\xc3\x89T\xc3\x89", "\"it's\"", 0, nullptr},
    };
    for (const Case& c : cases) {
        CCallMacroDlg dialog({});
        dialog.show();
        auto* name = child<QLineEdit>(dialog, "macroNameEdit");
        auto* parameter = child<QLineEdit>(dialog, "parameterEdit");
        typeInto(name, QString::fromUtf8(c.name));
        typeInto(parameter, QString::fromUtf8(c.parameter));
        ui.clear();
        child<QPushButton>(dialog, "okButton")->click();
        EXPECT_EQ(dialog.isVisible(), c.message != 0) << c.parameter;
        EXPECT_EQ(ui.texts(), c.message ? QStringList{qrl::text(c.message)} : QStringList{}) << c.parameter;
        if (c.message) {
            EXPECT_EQ(dialog.focusWidget(), child<QLineEdit>(dialog, c.field)) << c.parameter;
            if (c.message == 9040)
                qrl::test::saveScreenshot(&dialog, QStringLiteral("call-macro-open-string.png"));
        } else {
            EXPECT_EQ(dialog.params(),
                      (CallMacroParams{QString::fromUtf8(c.name), QString::fromUtf8(c.parameter), {}}));
        }
    }
}

TEST_F(SendToolsDialogTest, MacroEditorLoadsTheRowsTextAndHandsBackCrLfOnOkOnly)
{
    select(15);
    tools->SetCustomText(15, QByteArray("!R! STAT;\r\nEXIT;"));
    {
        CMacroEditDlg dialog(*tools);
        auto* edit = child<QPlainTextEdit>(dialog, "macroTextEdit");
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("!R! STAT;\nEXIT;"));
        edit->setPlainText(QStringLiteral("A\nB"));
        dialog.reject();
    }
    QByteArray text;
    ASSERT_TRUE(tools->FindCustomText(text));
    EXPECT_EQ(text, QByteArray("!R! STAT;\r\nEXIT;"));

    CMacroEditDlg dialog(*tools);
    dialog.show();
    auto* edit = child<QPlainTextEdit>(dialog, "macroTextEdit");
    edit->setPlainText(QStringLiteral("A\u20ac"));
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(qrl::ids::kNotLatin1)});
    child<QPushButton>(dialog, "clearButton")->click();
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    edit->setPlainText(QStringLiteral("!R! MLST;\nEXIT;"));
    child<QPushButton>(dialog, "okButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(tools->FindCustomText(text));
    EXPECT_EQ(text, QByteArray("!R! MLST;\r\nEXIT;"));
}
