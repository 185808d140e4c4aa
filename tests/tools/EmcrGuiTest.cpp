#include "CEmcrDlg.h"
#include "CEmcrItemDlg.h"
#include "CEmcrOptionsPropPage.h"
#include "EmcrOptions.h"
#include "EmcrSave.h"
#include "FileSave.h"

#include "ProjectTestSupport.h"
#include "ResourceTypes.h"
#include "Screenshot.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "WriteFaults.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

namespace opt = qrl::emcr::options;

template <typename T>
T* find(const QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
}

// Types the text into the widget key by key, as the keyboard would.
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

QString cell(const QTreeWidget* list, int row, int column)
{
    return list->topLevelItem(row)->text(column);
}

class EmcrGuiTest : public qrl::test::ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        addItem(kTelluradeMacro, "MAC1", "one.mcr");
        addItem(kPclMacro, "PCLM", "two.pcl");
        addItem(kTelluradeMacro, "MAC2", "three.mcr");
    }
    void addItem(int subtype, const char* name, const char* file)
    {
        ItemRecord record;
        record.resourceType = static_cast<std::uint8_t>(subtype);
        record.name = name;
        record.path = makeFile(file, "!R! MCRO x; ENDM; EXIT;").toStdString();
        ASSERT_NE(doc.AddItemFromRecord(record), nullptr) << name;
    }
    // Answers the next assignment dialog that opens with these values and OK.
    static void answerItemDialog(const QString& macro, const QString& params, const QString& repeat)
    {
        QTimer::singleShot(0, [=] {
            auto* item = qobject_cast<CEmcrItemDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(item, nullptr);
            find<QComboBox>(item, "macroBox")->setCurrentText(macro);
            find<QLineEdit>(item, "parametersEdit")->setText(params);
            find<QLineEdit>(item, "repeatCountEdit")->setText(repeat);
            find<QPushButton>(item, "okButton")->click();
            if (item->isVisible())
                item->reject();
        });
    }

    qrl::test::CheckedDoc doc;
};

TEST_F(EmcrGuiTest, OptionsPageShowsAndStoresTheCommentMask)
{
    {
        CEmcrOptionsPropPage page;
        EXPECT_EQ(page.windowTitle(), QStringLiteral("EMCR Creator Options"));
        EXPECT_EQ(page.mask(), 126); // nothing stored: all six
        int signalled = 0;
        QObject::connect(&page, &CEmcrOptionsPropPage::modified, [&] { ++signalled; });
        for (const char* name : {"disableVersionBox", "disableTimeBox", "disableExplanationBox"})
            find<QCheckBox>(&page, name)->click();
        EXPECT_EQ(signalled, 3);
        EXPECT_TRUE(page.isModified());
        ASSERT_TRUE(page.apply());
        EXPECT_FALSE(page.isModified());
        EXPECT_EQ(profile.getInt("Options", "EmcrOptions", -1), 14);
    }
    // The page shows what is stored, also while the version has changed; bit 0 does not survive.
    profile.setInt("Options", "EmcrOptions", 0x21);
    CEmcrOptionsPropPage page;
    EXPECT_FALSE(find<QCheckBox>(&page, "enableVersionBox")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(&page, "disableTimeBox")->isChecked());
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(profile.getInt("Options", "EmcrOptions", -1), 0x20);
}

TEST_F(EmcrGuiTest, CreatorListsTheProjectsMacrosAndTheSourcesWithOrWithoutSides)
{
    CEmcrDlg dlg(doc);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("EMCR Creator"));
    const auto* macros = find<QTreeWidget>(&dlg, "macroList");
    ASSERT_EQ(macros->topLevelItemCount(), 2);
    EXPECT_EQ(cell(macros, 1, 0), QStringLiteral("MAC2"));
    EXPECT_EQ(cell(macros, 1, 1), dirPath() + QStringLiteral("/three.mcr"));
    EXPECT_EQ(dlg.job().optionMask, 126); // a first run counts as a changed version

    auto* assigner = find<QTreeWidget>(&dlg, "assignerList");
    ASSERT_EQ(assigner->topLevelItemCount(), 8);
    EXPECT_EQ(assigner->columnCount(), 4);
    EXPECT_EQ(cell(assigner, 6, 0), QStringLiteral("Manual Feeder"));
    EXPECT_FALSE(find<QRadioButton>(&dlg, "longEdgeButton")->isEnabled());

    answerItemDialog(QStringLiteral("MAC2"), QStringLiteral("4"), QStringLiteral("3"));
    dlg.assignRow(1);
    EXPECT_EQ(cell(assigner, 1, 1), QStringLiteral("MAC2"));
    EXPECT_EQ(cell(assigner, 1, 2), QStringLiteral("4"));
    EXPECT_EQ(cell(assigner, 1, 3), QStringLiteral("3"));
    EXPECT_EQ(dlg.selectedRow(), 1);

    find<QCheckBox>(&dlg, "duplexBox")->click();
    ASSERT_EQ(assigner->topLevelItemCount(), 16);
    EXPECT_EQ(assigner->headerItem()->text(1), qrl::text(3948));
    EXPECT_EQ(cell(assigner, 2, 0), QStringLiteral("Cassette 2"));
    EXPECT_EQ(cell(assigner, 2, 1), QStringLiteral("Front"));
    EXPECT_EQ(cell(assigner, 2, 2), QStringLiteral("MAC2"));
    EXPECT_EQ(cell(assigner, 3, 1), QStringLiteral("Back"));
    EXPECT_EQ(cell(assigner, 3, 2), QString());
    EXPECT_TRUE(find<QRadioButton>(&dlg, "shortEdgeButton")->isEnabled());
    find<QRadioButton>(&dlg, "shortEdgeButton")->click();
    EXPECT_FALSE(dlg.job().longEdge);

    // The back of Cassette 3: its menu, and Clear.
    answerItemDialog(QStringLiteral("MAC1"), {}, {});
    dlg.assignRow(5);
    const std::unique_ptr<QMenu> menu = dlg.contextMenu(5);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Modify (Cassette 3 - Back )"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Clear  (Cassette 3 - Back )"));
    EXPECT_EQ(dlg.job().assignments[5].macro, QStringLiteral("MAC1"));
    menu->actions()[1]->trigger();
    EXPECT_FALSE(dlg.job().assignments[5].isAssigned());
    EXPECT_EQ(cell(assigner, 5, 2), QString());

    // Back assignments wait in the table while duplex is off.
    answerItemDialog(QStringLiteral("MAC1"), {}, {});
    dlg.assignRow(15);
    find<QCheckBox>(&dlg, "duplexBox")->click();
    EXPECT_EQ(assigner->topLevelItemCount(), 8);
    EXPECT_EQ(cell(assigner, 7, 1), QString());
    EXPECT_EQ(dlg.job().assignments[15].macro, QStringLiteral("MAC1"));
    EXPECT_FALSE(find<QRadioButton>(&dlg, "longEdgeButton")->isEnabled());
}

TEST_F(EmcrGuiTest, AssignmentDialogKeepsParametersWithinTheCommandAndRefusesBadValues)
{
    // A macro file's own "MCRO A\"B;" gives a name that cannot stand bare in the command.
    const QStringList names{QStringLiteral("MAC1"), QStringLiteral("MAC2"), QStringLiteral("A\"B")};
    CEmcrItemDlg nr4(14, true, names, {}, nullptr);
    EXPECT_EQ(find<QLabel>(&nr4, "sourceLabel")->text(), QStringLiteral("NR-4 -Front"));
    EXPECT_EQ(nr4.lengthLimit(), 233);
    auto* params = find<QLineEdit>(&nr4, "parametersEdit");
    auto* repeat = find<QLineEdit>(&nr4, "repeatCountEdit");
    params->setText(QString(233, QLatin1Char('p')));
    EXPECT_TRUE(ui.texts().isEmpty());
    params->insert(QStringLiteral("q"));
    EXPECT_EQ(params->text().size(), 233);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts()[0], QStringLiteral("RepCount length : 0\r\nParam length : 234\r\n"
                                            "parameters and repeat count together max 233 character"));
    repeat->setText(QStringLiteral("7"));
    EXPECT_EQ(repeat->text(), QString());
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Param length : 233\r\nRepCount length : 1\r\nparameters and "
                                                "repeat count together max 233 character"));

    ui.clear();
    repeat->setText(QStringLiteral("4x"));
    EXPECT_EQ(repeat->text(), QString());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3041)});

    struct Case {
        const char* macro;
        const char* repeat;
        int message; // 0: accepted
        const char* stored;
    };
    for (const Case& c : {Case{"", "", 3985, ""}, Case{"MAC2", "32768", 3989, ""}, Case{"MAC2", "1", 0, ""},
                          Case{"MAC2", "0012", 0, "12"}, Case{"A\"B", "", 3015, ""}}) {
        CEmcrItemDlg item(0, false, names,
                          {QStringLiteral("MAC1"), QStringLiteral("x"), QStringLiteral("5")});
        EXPECT_EQ(find<QComboBox>(&item, "macroBox")->currentText(), QStringLiteral("MAC1"));
        find<QComboBox>(&item, "macroBox")->setCurrentText(QString::fromLatin1(c.macro));
        find<QLineEdit>(&item, "repeatCountEdit")->setText(QString::fromLatin1(c.repeat));
        ui.clear();
        item.accept();
        EXPECT_EQ(item.result() == QDialog::Accepted, c.message == 0) << c.repeat;
        EXPECT_EQ(ui.texts(), c.message ? QStringList{qrl::text(c.message)} : QStringList{}) << c.repeat;
        if (c.message == 3015) {
            item.show();
            qrl::test::saveScreenshot(&item, QStringLiteral("emcr_item_refused_name_quote.png"));
        }
        if (c.message == 0) {
            EXPECT_EQ(item.assignment().macro, QString::fromLatin1(c.macro));
            EXPECT_EQ(item.assignment().repeatCount, QString::fromLatin1(c.stored));
        }
    }
}

TEST_F(EmcrGuiTest, ParametersAreWrittenAsTypedOrRefused)
{
    struct Case {
        const char* typed; // UTF-8
        bool accepted;
        int message = 9040; // when refused
    };
    // A string left open as the printer reads it (a quote opens a string only the same quote
    // closes) swallows the rest of the job; ";" would end the command early and a line end would
    // split it. A character without a single byte cannot be sent.
    for (const Case& c :
         {Case{"'abc", false}, Case{"a;b", false}, Case{"\"x", false}, Case{"a\r\nb", false},
          Case{"'\"'\"", false}, Case{"'a;b'", false}, Case{"'top',2", true}, Case{"\"a b\",3", true},
          Case{"\"it's\"", true}, Case{"'\"'", true}, Case{"'caf\xc3\xa9'", true},
          Case{"'5 \xe2\x82\xac'", false, 9081}, Case{"'\xc5\x82'", false, 9081}}) {
        SCOPED_TRACE(c.typed);
        CEmcrItemDlg item(0, false, {QStringLiteral("MAC1")}, {QStringLiteral("MAC1"), {}, {}});
        item.show();
        auto* params = find<QLineEdit>(&item, "parametersEdit");
        params->setFocus();
        const QString text = QString::fromUtf8(c.typed);
        if (text.contains(QLatin1Char('\r')))
            params->setText(text); // a line end comes in by pasting
        else
            type(params, text);
        EXPECT_EQ(params->text(), text);
        EXPECT_TRUE(ui.texts().isEmpty());
        find<QPushButton>(&item, "okButton")->click();
        EXPECT_EQ(item.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(item.assignment().parameters, text);
            EXPECT_TRUE(ui.texts().isEmpty());
        } else {
            EXPECT_TRUE(item.isVisible());
            EXPECT_EQ(ui.texts(), QStringList{qrl::text(c.message)});
            EXPECT_EQ(params->text(), text);
            if (text == QLatin1String("'abc"))
                qrl::test::saveScreenshot(&item, QStringLiteral("emcr_item_refused_quote.png"));
            if (c.message == 9081)
                qrl::test::saveScreenshot(&item, QStringLiteral("emcr_item_refused_no_byte.png"));
        }
        ui.clear();
    }
    // Bad parameters that reach the creator another way are refused before any file is asked for.
    CEmcrDlg dlg(doc);
    answerItemDialog(QStringLiteral("MAC1"), {}, {});
    dlg.assignRow(0);
    EmcrCommandJob job = dlg.job();
    job.assignments[0].parameters = QStringLiteral("'abc");
    ui.clear();
    EXPECT_EQ(qrl::emcr::saveFiles(job, dirPath() + QLatin1Char('/')).outcome,
              qrl::emcr::SaveOutcome::StayOpen);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(9040)});
    EXPECT_TRUE(ui.dialogs().empty());
}

TEST_F(EmcrGuiTest, AddToProjectWritesBothFilesOrStaysOpen)
{
    CEmcrDlg dlg(doc);
    ui.clear();
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3920)});
    EXPECT_TRUE(profile.contains(CEmcrDlg::kPlacementSection, "WinPlacement"));

    answerItemDialog(QStringLiteral("MAC1"), QStringLiteral("1,2"), {});
    dlg.assignRow(6);
    const QString on = dirPath() + QStringLiteral("/on.prn");
    const QString off = dirPath() + QStringLiteral("/off.prn");
    ui.file(on);
    ui.file(QStringList{}); // the disable file cancelled: stays open, nothing returned
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.enablePath().isEmpty() && dlg.disablePath().isEmpty());

    // The files go beside the project while no forms directory is set.
    doc.SetPathName(dirPath() + QStringLiteral("/p.prj"));
    CEmcrDlg second(doc);
    answerItemDialog(QStringLiteral("MAC1"), QStringLiteral("1,2"), {});
    second.assignRow(6);
    ui.clear();
    ui.file(on);
    ui.file(off);
    second.accept();
    EXPECT_EQ(second.result(), QDialog::Accepted);
    EXPECT_EQ(second.enablePath(), on);
    EXPECT_EQ(second.disablePath(), off);
    ASSERT_EQ(ui.dialogs().size(), 2);
    EXPECT_EQ(ui.dialogs()[0].request.directory, dirPath() + QLatin1Char('/'));
    const std::string enable = qrl::test::readFile(on.toStdString());
    EXPECT_NE(
        enable.find(
            "CMNT assign macro MAC1 to 'Manual Feeder';\r\nCMNT params: 1,2;\r\nEMCR E,0,MAC1,1,2;\r\n"),
        std::string::npos);
    EXPECT_EQ(enable.substr(enable.size() - 5), "EXIT;");

    // A failed enable file ends the creator.
    CEmcrDlg third(doc);
    answerItemDialog(QStringLiteral("MAC2"), {}, {});
    third.assignRow(0);
    ui.file(dirPath() + QStringLiteral("/missing/on.prn"));
    third.accept();
    EXPECT_EQ(third.result(), QDialog::Rejected);
    EXPECT_EQ(ui.texts().last(),
              qrl::writeFailureText(qrl::WriteError::Other, dirPath() + QStringLiteral("/missing/on.prn")));

    // run() empties the caller's strings when the creator is cancelled.
    QString enablePath = QStringLiteral("old");
    QString disablePath = QStringLiteral("old");
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(CEmcrDlg::run(nullptr, doc, enablePath, disablePath));
    EXPECT_TRUE(enablePath.isEmpty() && disablePath.isEmpty());
}

TEST_F(EmcrGuiTest, AFullDiskOrTheEnableFilesNameWritesNothingAndAddsNothing)
{
    const QString on = dirPath() + QStringLiteral("/emcr on.prn");
    qrl::test::writeFile(on.toStdString(), "the earlier enable file");
    doc.SetPathName(dirPath() + QStringLiteral("/p.prj"));

    // A full disk: the creator ends without files, the earlier file keeps its bytes.
    {
        CEmcrDlg dlg(doc);
        answerItemDialog(QStringLiteral("MAC1"), {}, {});
        dlg.assignRow(0);
        ui.clear();
        ui.file(on);
        qrl::injectWriteFault(0, ENOSPC);
        find<QPushButton>(&dlg, "addButton")->click();
        qrl::clearInjectedWriteFault();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_TRUE(dlg.enablePath().isEmpty() && dlg.disablePath().isEmpty());
        EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::DiskFull, on)});
        EXPECT_EQ(qrl::test::readFile(on.toStdString()), "the earlier enable file");
        EXPECT_EQ(QDir(dirPath()).entryList({QStringLiteral("*.prn")}, QDir::Files),
                  QStringList{QStringLiteral("emcr on.prn")});
    }

    // The disable file under the enable file's name is refused; the enable file stays whole.
    CEmcrDlg dlg(doc);
    answerItemDialog(QStringLiteral("MAC1"), {}, {});
    dlg.assignRow(0);
    ui.clear();
    ui.file(on);
    ui.file(on);
    find<QPushButton>(&dlg, "addButton")->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.enablePath().isEmpty() && dlg.disablePath().isEmpty());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3814)});
    EXPECT_NE(qrl::test::readFile(on.toStdString()).find("EMCR E,1,MAC1;\r\n"), std::string::npos);
}

TEST_F(EmcrGuiTest, Screenshot)
{
    CEmcrDlg dlg(doc);
    find<QCheckBox>(&dlg, "duplexBox")->click();
    answerItemDialog(QStringLiteral("MAC2"), QStringLiteral("'top',2"), QStringLiteral("3"));
    dlg.assignRow(3);
    dlg.show();
    qrl::test::saveScreenshot(&dlg, QStringLiteral("emcr_creator.png"));
    CEmcrItemDlg item(3, true, dlg.macroNames(), dlg.job().assignments[3]);
    item.show();
    qrl::test::saveScreenshot(&item, QStringLiteral("emcr_item.png"));
    CEmcrOptionsPropPage page;
    page.show();
    qrl::test::saveScreenshot(&page, QStringLiteral("emcr_options.png"));
}

} // namespace
