#include "CCcpyDlg.h"
#include "CCcpyItemDlg.h"
#include "CcpyPageRules.h"
#include "ProjectTestSupport.h"
#include "Screenshot.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

template <typename T>
T* child(QWidget* w, const char* name)
{
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

// A page as the page dialog makes it from list positions.
CcpyPage pageAt(int cassette, int stack = 0, int overlay = 0, const QByteArray& name = {})
{
    return qrl::ccpy::makePage({cassette, overlay, name, QString::fromLatin1(name), 0, 0, stack});
}

class CcpyDialogsTest : public qrl::test::ProjectTest {
protected:
    void SetUp() override
    {
        // A stored version equal to this program's (empty here): no version change.
        profile.setString(QStringLiteral("Settings"), QStringLiteral("version"), QString());
        start();
        ResourceKind kind = kKindFont;
        ASSERT_TRUE(doc.AddFile(makeFile("mac1.mcr", "!R!MCRO MAC1;ENDM;EXIT;"), kind));
        ASSERT_TRUE(doc.AddFile(makeFile("form.prn", "form"), kind));
        ASSERT_TRUE(doc.AddFile(makeFile("bad.mcr", "!R!MCRO A'B;ENDM;EXIT;"), kind));
        ui.clear();
    }
    std::unique_ptr<CCcpyDlg> open() { return std::make_unique<CCcpyDlg>(doc); }
    QString path(const char* name) const { return dirPath() + QLatin1Char('/') + QString::fromLatin1(name); }

    qrl::test::CheckedDoc doc;
};

} // namespace

TEST_F(CcpyDialogsTest, CreatorListsTheTelluradeMacrosAndStartsWithNothingToWrite)
{
    auto dlg = open();
    auto* macros = child<QTreeWidget>(dlg.get(), "macroList");
    ASSERT_EQ(macros->topLevelItemCount(), 2);
    EXPECT_EQ(macros->topLevelItem(0)->text(0), QStringLiteral("MAC1"));
    EXPECT_EQ(macros->topLevelItem(0)->text(1), doc.GetItemAt(0)->GetPath());
    EXPECT_EQ(macros->topLevelItem(1)->text(0), QStringLiteral("A'B"));
    auto* pages = child<QTreeWidget>(dlg.get(), "pageList");
    EXPECT_EQ(pages->headerItem()->text(4), QStringLiteral("Data / Overlay"));
    EXPECT_TRUE(pages->isColumnHidden(6));
    EXPECT_FALSE(child<QPushButton>(dlg.get(), "deletePageButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dlg.get(), "okButton")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(dlg.get(), "longEdgeButton")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(dlg.get(), "longEdgeButton")->isChecked());
    EXPECT_EQ(dlg->options(), 126);

    dlg->addPage(pageAt(0, 0, 1, "MAC1"));
    dlg->addPage(pageAt(7, 3));
    EXPECT_TRUE(child<QPushButton>(dlg.get(), "okButton")->isEnabled());
    dlg->resize(760, 520);
    dlg->show();
    qrl::test::saveScreenshot(dlg.get(), QStringLiteral("ccpy_creator.png"));
}

TEST_F(CcpyDialogsTest, CreatorOpensWideEnoughForEveryColumn)
{
    auto dlg = open();
    dlg->addPage(pageAt(0, 0, 1, "MAC1"));
    dlg->addPage(pageAt(7, 3));
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    auto* duplex = child<QCheckBox>(dlg.get(), "duplexBox");
    QTest::mouseClick(duplex, Qt::LeftButton, {}, QPoint(6, duplex->height() / 2));
    ASSERT_TRUE(duplex->isChecked());
    for (const char* name : {"macroList", "pageList"}) {
        auto* list = child<QTreeWidget>(dlg.get(), name);
        EXPECT_LE(list->header()->length(), list->viewport()->width()) << name;
        // Each column shows its header and its cells whole ("Data and Overlay" among them), as the
        // list itself measures them.
        const QAbstractItemView* view = list;
        for (int column = 0; column < list->columnCount(); ++column) {
            EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column)) << name << column;
            EXPECT_GE(list->columnWidth(column), view->sizeHintForColumn(column)) << name << column;
        }
    }
    EXPECT_EQ(child<QTreeWidget>(dlg.get(), "pageList")->topLevelItem(0)->text(4),
              QStringLiteral("Data and Overlay"));
    qrl::test::saveScreenshot(dlg.get(), QStringLiteral("ccpy_creator_opening_size.png"));
}

TEST_F(CcpyDialogsTest, PageDialogMapsItsListsToThePageAndRefusesAnUncallableOverlay)
{
    const std::vector<CCcpyItemDlg::Overlay> overlays = {{"MAC1", QStringLiteral("MAC1")},
                                                         {"A'B", QStringLiteral("A'B")}};
    CCcpyItemDlg dlg(1, false, overlays, nullptr);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Multi-Part Form - Page 1"));
    EXPECT_TRUE(child<QLabel>(&dlg, "infoLabel")->isHidden());
    auto* overlay = child<QComboBox>(&dlg, "overlayList");
    ASSERT_EQ(overlay->count(), 3);
    EXPECT_EQ(overlay->itemText(0), QStringLiteral("None"));
    EXPECT_EQ(child<QComboBox>(&dlg, "cassetteList")->count(), 8);
    EXPECT_EQ(child<QComboBox>(&dlg, "resolutionList")->count(), 8);
    EXPECT_EQ(child<QComboBox>(&dlg, "stackList")->count(), 19);

    // Back to "None" puts "Data and Overlay" back.
    overlay->setCurrentIndex(1);
    child<QComboBox>(&dlg, "dataOverlayList")->setCurrentIndex(1);
    overlay->setCurrentIndex(0);
    EXPECT_EQ(child<QComboBox>(&dlg, "dataOverlayList")->currentIndex(), 0);

    overlay->setCurrentIndex(2);
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts().first(), qrl::formatText(qrl::text(2464), {QStringLiteral("A'B")}));
    // The refusal names what may not stand in the name, the command separator too.
    EXPECT_TRUE(
        ui.texts().first().contains(QStringLiteral("a quote ('), a semicolon (;) or a control character")));

    overlay->setCurrentIndex(1);
    child<QComboBox>(&dlg, "cassetteList")->setCurrentIndex(6);
    child<QComboBox>(&dlg, "dataOverlayList")->setCurrentIndex(1);
    child<QComboBox>(&dlg, "resolutionList")->setCurrentIndex(7);
    child<QComboBox>(&dlg, "stackList")->setCurrentIndex(4);
    child<QPushButton>(&dlg, "okButton")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const CcpyPage& p = dlg.page();
    EXPECT_EQ(p.paperSource, 0);
    EXPECT_EQ(p.overlayIndex, 1);
    EXPECT_EQ(p.overlayName, QByteArray("MAC1"));
    EXPECT_EQ(p.termValue, 0);
    EXPECT_EQ(p.resolutionIndex, 7);
    EXPECT_EQ(p.stackIndex, 4);
    EXPECT_EQ(p.stackText, QStringLiteral("Sorter Tray 1"));

    const CcpyPage front = pageAt(2, 5);
    CCcpyItemDlg back(2, true, overlays, &front);
    EXPECT_EQ(back.windowTitle(), QStringLiteral("Multi-Part Form - Page 2  Duplex On - Back Side"));
    EXPECT_FALSE(child<QLabel>(&back, "infoLabel")->isHidden());
    EXPECT_EQ(child<QComboBox>(&back, "cassetteList")->currentText(), QStringLiteral("Cassette 3"));
    EXPECT_EQ(child<QComboBox>(&back, "stackList")->currentText(), QStringLiteral("Sorter Tray 2"));
    EXPECT_FALSE(child<QComboBox>(&back, "cassetteList")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(&back, "stackList")->isEnabled());
    back.show();
    qrl::test::saveScreenshot(&back, QStringLiteral("ccpy_page_back_side.png"));
    EXPECT_EQ(CCcpyItemDlg(3, true, overlays, nullptr).windowTitle(),
              QStringLiteral("Multi-Part Form - Page 3  Duplex On - Front Side"));
}

TEST_F(CcpyDialogsTest, AddPageRunsThePageDialogAndDuplexCopiesTheFrontSides)
{
    auto dlg = open();
    QTimer::singleShot(0, [] {
        auto* page = qobject_cast<CCcpyItemDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(page);
        child<QComboBox>(page, "cassetteList")->setCurrentIndex(3);
        child<QComboBox>(page, "overlayList")->setCurrentIndex(1);
        child<QPushButton>(page, "okButton")->click();
    });
    child<QPushButton>(dlg.get(), "addPageButton")->click();
    ASSERT_EQ(dlg->job().pages.size(), 1u);
    EXPECT_EQ(dlg->job().pages[0].paperSource, 4);
    EXPECT_EQ(dlg->job().pages[0].overlayName, QByteArray("MAC1"));
    for (int cassette : {1, 2, 3})
        dlg->addPage(pageAt(cassette, cassette));

    auto* pages = child<QTreeWidget>(dlg.get(), "pageList");
    child<QCheckBox>(dlg.get(), "duplexBox")->click();
    EXPECT_TRUE(child<QRadioButton>(dlg.get(), "shortEdgeButton")->isEnabled());
    EXPECT_FALSE(pages->isColumnHidden(6));
    EXPECT_EQ(pages->topLevelItem(1)->text(6), QStringLiteral("Back"));
    EXPECT_EQ(pages->topLevelItem(2)->text(6), QStringLiteral("Front"));
    EXPECT_EQ(pages->topLevelItem(1)->text(1), QStringLiteral("Cassette 4"));
    EXPECT_EQ(dlg->job().pages[3].paperSource, 3);
    EXPECT_EQ(dlg->job().pages[3].stackText, QStringLiteral("Face-up Paper Tray"));
    child<QRadioButton>(dlg.get(), "shortEdgeButton")->click();
    EXPECT_FALSE(dlg->job().longEdge);

    // Off again: the column goes, the copies stay.
    child<QCheckBox>(dlg.get(), "duplexBox")->click();
    EXPECT_TRUE(pages->isColumnHidden(6));
    EXPECT_EQ(dlg->job().pages[1].paperSource, 4);

    pages->setCurrentItem(pages->topLevelItem(1));
    child<QPushButton>(dlg.get(), "deletePageButton")->click();
    ASSERT_EQ(pages->topLevelItemCount(), 3);
    EXPECT_EQ(pages->topLevelItem(1)->text(0), QStringLiteral("2"));
    EXPECT_EQ(pages->topLevelItem(1)->text(1), QStringLiteral("Cassette 3"));
    while (pages->topLevelItemCount() > 0) {
        pages->setCurrentItem(pages->topLevelItem(0));
        child<QPushButton>(dlg.get(), "deletePageButton")->click();
    }
    EXPECT_FALSE(child<QPushButton>(dlg.get(), "deletePageButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dlg.get(), "okButton")->isEnabled());
}

TEST_F(CcpyDialogsTest, OkWritesBothFilesAndEachRefusalKeepsTheCreatorOpen)
{
    profile.setInt(QStringLiteral("Options"), QStringLiteral("CcpyOptions"), 0);
    qrl::context().directories.forms = dirPath();
    auto dlg = open();
    EXPECT_EQ(dlg->options(), 0);

    dlg->accept();
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(ui.texts().value(0), qrl::text(3800));

    dlg->addPage(pageAt(0, 0, 1, "MAC1"));
    ui.file(QStringList{}); // enable file dialog cancelled
    dlg->accept();
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->job().pages.size(), 1u);
    EXPECT_EQ(ui.dialogs().last().request.fileName, path("ccpy on.prn"));

    ui.file(path("ccpy on.prn"));
    ui.file(QStringList{}); // disable file dialog cancelled: the enable file stays
    dlg->accept();
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(dlg->enablePath().isEmpty());
    const QByteArray enable = "!R!\r\nDELM S0;\r\nMCRO S0;\r\nCALL MAC1;\r\nENDM;\r\n"
                              "CCPY E;\r\nPSRC 1;AMCR E,S0;TERM 1;\r\nENDC;\r\nEXIT;";
    EXPECT_EQ(QByteArray::fromStdString(qrl::test::readFile(cwd.file("ccpy on.prn"))), enable);

    ui.file(path("ccpy on2.prn"));
    ui.file(path("ccpy off.prn"));
    child<QPushButton>(dlg.get(), "okButton")->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const int count = static_cast<int>(ui.dialogs().size());
    EXPECT_EQ(ui.dialogs().at(count - 2).request.fileName, path("ccpy on2.prn"));
    EXPECT_EQ(ui.dialogs().at(count - 1).request.fileName, path("ccpy off.prn"));
    EXPECT_EQ(dlg->enablePath(), path("ccpy on2.prn"));
    EXPECT_EQ(dlg->disablePath(), path("ccpy off.prn"));
    EXPECT_EQ(qrl::test::readFile(cwd.file("ccpy off.prn")), "!R!\r\nRES;CCPY D;\r\nEXIT;");
    EXPECT_TRUE(profile.contains(QStringLiteral("Ccpy Creator"), QStringLiteral("WinPlacement")));
}

TEST_F(CcpyDialogsTest, AThousandthPageIsRefused)
{
    auto dlg = open();
    for (int i = 0; i < CcpyJob::kMaxPages; ++i)
        dlg->addPage(pageAt(0));
    child<QPushButton>(dlg.get(), "addPageButton")->click(); // no page dialog opens
    EXPECT_EQ(dlg->job().pages.size(), 999u);
    EXPECT_EQ(ui.texts().value(0), qrl::text(3813));
}

class CcpyCreatorVersionTest : public qrl::test::ProjectTest {
protected:
    void SetUp() override
    {
        // No stored version: a first run, which counts as a change.
        profile.setInt(QStringLiteral("Options"), QStringLiteral("CcpyOptions"), 0);
        profile.setString(QStringLiteral("Ccpy Creator"), QStringLiteral("WinPlacement"),
                          QStringLiteral("0,1,-1,-1,-1,-1,10,20,610,420"));
        start();
    }
};

TEST_F(CcpyCreatorVersionTest, AVersionChangeIgnoresTheStoredMaskAndPlacement)
{
    ASSERT_TRUE(qrl::context().versionChanged);
    qrl::test::CheckedDoc doc;
    CCcpyDlg dlg(doc);
    EXPECT_EQ(dlg.options(), 126);
    EXPECT_NE(dlg.geometry().width(), 600);
    EXPECT_EQ(dlg.findChild<QTreeWidget*>(QStringLiteral("macroList"))->topLevelItemCount(), 0);
}
