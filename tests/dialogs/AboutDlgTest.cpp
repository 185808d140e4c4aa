#include "CAboutDlg.h"
#include "RecordingLauncher.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using qrl::test::RecordingLauncher;

const QString kSection = QStringLiteral("About Dialog");

struct AboutDlgTest : ::testing::Test {
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    RecordingLauncher launcher;
    qrl::test::TempDirectory dir;
    QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');

    qrl::about::Sources sources() const { return {folder + QStringLiteral("Quorlyn32"), folder, {}, {}}; }
    static void select(CAboutDlg& dlg, int row)
    {
        auto* list = dlg.findChild<QTreeWidget*>(QStringLiteral("fileList"));
        list->setCurrentItem(list->topLevelItem(row));
    }
};

} // namespace

TEST_F(AboutDlgTest, VersionNewOpensFoldedWithDefaultWidthsAndClosingClearsIt)
{
    profile.setInt(kSection, QStringLiteral("versionNew"), 1);
    profile.setInt(kSection, QStringLiteral("detailsView"), 1);
    profile.setInt(kSection, QStringLiteral("widthColumnFileName"), 333);
    CAboutDlg dlg(sources());
    auto* list = dlg.findChild<QTreeWidget*>(QStringLiteral("fileList"));
    EXPECT_EQ(dlg.detailsView(), 0);
    EXPECT_EQ(list->columnWidth(0), 120);
    EXPECT_EQ(list->columnWidth(4), 202);
    EXPECT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("Size (bytes)"));
    dlg.reject();
    EXPECT_EQ(profile.getInt(kSection, QStringLiteral("versionNew"), -1), 0);
    EXPECT_EQ(profile.getInt(kSection, QStringLiteral("detailsView"), -1), 0);
    EXPECT_EQ(profile.getInt(kSection, QStringLiteral("widthColumnFileName"), -1), 120);
    EXPECT_FALSE(profile.getString(kSection, QStringLiteral("WinPlacement"), {}).isEmpty());
}

TEST_F(AboutDlgTest, DefaultDateAndSizeColumnsShowTheirTitlesAndTextsWhole)
{
    qrl::test::writeFile(dir.path() + "/readme.txt", "notes");
    profile.setInt(kSection, QStringLiteral("detailsView"), 1);
    CAboutDlg dlg(sources());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* list = dlg.findChild<QTreeWidget*>(QStringLiteral("fileList"));
    const QFontMetrics metrics = list->fontMetrics();
    const QTreeWidgetItem* readme = list->topLevelItem(4);
    ASSERT_FALSE(readme->text(2).isEmpty());
    for (const int column : {2, 3}) {
        EXPECT_GT(list->columnWidth(column), metrics.horizontalAdvance(list->headerItem()->text(column)))
            << column;
        EXPECT_GT(list->columnWidth(column), metrics.horizontalAdvance(readme->text(column))) << column;
    }
    qrl::test::saveScreenshot(&dlg, QStringLiteral("about_columns.png"));
}

TEST_F(AboutDlgTest, DetailsButtonTogglesAndTheStateIsKept)
{
    profile.setInt(kSection, QStringLiteral("widthColumnFileDate"), 150);
    {
        CAboutDlg dlg(sources());
        EXPECT_EQ(dlg.findChild<QTreeWidget*>(QStringLiteral("fileList"))->columnWidth(2), 150);
        auto* list = dlg.findChild<QTreeWidget*>(QStringLiteral("fileList"));
        EXPECT_TRUE(list->isHidden()) << "a folded box hides its file list";
        const int height = dlg.height();
        dlg.findChild<QPushButton*>(QStringLiteral("detailsButton"))->click();
        EXPECT_EQ(dlg.detailsView(), 1);
        EXPECT_FALSE(list->isHidden());
        EXPECT_EQ(dlg.height(), height * 2);
        dlg.accept();
    }
    EXPECT_EQ(profile.getInt(kSection, QStringLiteral("detailsView"), -1), 1);
    CAboutDlg again(sources());
    EXPECT_EQ(again.detailsView(), 1);
}

TEST_F(AboutDlgTest, FoldingTwiceReturnsExactlyToTheFoldedHeightWithTheBannerUnstretched)
{
    CAboutDlg dlg(sources());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* details = dlg.findChild<QPushButton*>(QStringLiteral("detailsButton"));
    auto* banner = dlg.findChild<QWidget*>(QStringLiteral("banner"));
    const int folded = dlg.height();
    const int bannerHeight = banner->height();
    const QString shots[] = {QStringLiteral("about_unfolded_1.png"), QStringLiteral("about_folded_1.png"),
                             QStringLiteral("about_unfolded_2.png"), QStringLiteral("about_folded_2.png")};
    qrl::test::saveScreenshot(&dlg, QStringLiteral("about_folded_0.png"));
    for (int click = 0; click < 4; ++click) {
        QTest::mouseClick(details, Qt::LeftButton);
        QCoreApplication::processEvents();
        const bool unfolded = click % 2 == 0;
        EXPECT_EQ(dlg.height(), unfolded ? 2 * folded : folded) << "click " << click;
        EXPECT_EQ(dlg.detailsView(), unfolded ? 1 : 0);
        EXPECT_EQ(banner->height(), bannerHeight) << "click " << click;
        qrl::test::saveScreenshot(&dlg, shots[click]);
    }
    dlg.accept();

    // Closed folded, the box opens again at the folded height it was closed with.
    CAboutDlg again(sources());
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.detailsView(), 0);
    EXPECT_EQ(again.height(), folded);
}

TEST_F(AboutDlgTest, DoubleClickOpensPresentReadmeOrSaysNoViewer)
{
    qrl::test::writeFile(dir.path() + "/readme.txt", "notes");
    CAboutDlg dlg(sources());
    select(dlg, 1); // the engine library: nothing happens
    dlg.openSelectedFile();
    EXPECT_TRUE(launcher.opened.isEmpty());
    select(dlg, 4);
    dlg.openSelectedFile();
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].text, QStringLiteral("Error finding a text viewer"));
    launcher.viewer = QStringLiteral("text-editor");
    dlg.openSelectedFile();
    EXPECT_EQ(launcher.opened, QStringList{folder + QStringLiteral("readme.txt")});
}

TEST_F(AboutDlgTest, MissingReadmeDoesNothing)
{
    launcher.viewer = QStringLiteral("text-editor");
    CAboutDlg dlg(sources());
    select(dlg, 4);
    dlg.openSelectedFile();
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(ui.shown().isEmpty());
}
