#include "AppContext.h"
#include "CEmcrOptionsPropPage.h"
#include "CFileLocationModifyDlg.h"
#include "CFileLocationOptionsPropPage.h"
#include "CFileMapNewDlg.h"
#include "CFileMapPropPage.h"
#include "CGlobalPrefs.h"
#include "CProperties.h"
#include "CUnknownExtDlg.h"
#include "FileSave.h"
#include "KindIcons.h"
#include "Replaceable.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "SettingsProfile.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"
#include "TextIds.h"
#include "WriteFaults.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class MapPageGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        profile.setString("Settings", "version", "v");
        ASSERT_TRUE(prefs.Load());
    }

    template <typename T>
    T* child(QWidget& w, const char* name)
    {
        return w.findChild<T*>(QString::fromLatin1(name));
    }

    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    CGlobalPrefs prefs{QStringLiteral("v")};
};

void selectRow(QWidget& page, int row)
{
    auto* list = page.findChild<QTreeWidget*>(QStringLiteral("mappingList"));
    list->setCurrentItem(list->topLevelItem(row));
}

} // namespace

TEST_F(MapPageGui, RemoveOnlyForAddedRowsAndDuplicatesRefused)
{
    CFileMapPropPage page(prefs);
    QString nextExtension = QStringLiteral("TTF");
    page.setMappingDialog([&](QString& description, QString& extension, int, CFileMapNewDlg::Mode) {
        description = QStringLiteral("PCL Macro");
        extension = nextExtension;
        return true;
    });
    selectRow(page, 3);
    EXPECT_FALSE(child<QPushButton>(page, "removeButton")->isEnabled());
    child<QPushButton>(page, "addNewButton")->click();
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral(
                              "The extension is already available, please rename it, then try again")});
    EXPECT_EQ(page.rows().size(), 10u);

    nextExtension = QStringLiteral("abc");
    child<QPushButton>(page, "addNewButton")->click();
    ASSERT_EQ(page.rows().size(), 11u);
    EXPECT_TRUE(child<QPushButton>(page, "removeButton")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(page, "extensionEdit")->text(), QStringLiteral("abc"));
    EXPECT_EQ(page.rows()[10].typeWord, QStringLiteral("MACRO"));

    child<QComboBox>(page, "descriptionList")->setCurrentIndex(8);
    EXPECT_EQ(page.rows()[10].typeWord, QStringLiteral("DATA"));
    child<QPushButton>(page, "removeButton")->click();
    EXPECT_EQ(page.rows().size(), 10u);
}

TEST_F(MapPageGui, ANewMappingRefusedAsADuplicateKeepsItsDialogOpenWithTheEntry)
{
    CFileMapPropPage page(prefs);
    page.show();
    QString entryAfterRefusal;
    bool stayedOpen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CFileMapNewDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("extensionEdit"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
        QTest::keyClicks(edit, QStringLiteral("ttf"));
        QTest::mouseClick(ok, Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        entryAfterRefusal = edit->text();
        qrl::test::saveScreenshot(dialog, QStringLiteral("file-mapping-duplicate-kept.png"));
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start();
    QTest::mouseClick(child<QPushButton>(page, "addNewButton"), Qt::LeftButton);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(entryAfterRefusal, QStringLiteral("ttf"));
    const QString message =
        QStringLiteral("The extension is already available, please rename it, then try again");
    EXPECT_EQ(ui.texts(), QStringList{message});
    ASSERT_EQ(page.rows().size(), 11u);
    EXPECT_EQ(page.rows()[10].extension, QStringLiteral("abc"));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorlyn32"), message);
    box.adjustSize();
    qrl::test::saveScreenshot(&box, QStringLiteral("file-mapping-duplicate-message.png"));
}

TEST_F(MapPageGui, ApplyBlockedByATypedDuplicate)
{
    CFileMapPropPage page(prefs);
    selectRow(page, 9);
    auto* edit = child<QLineEdit>(page, "extensionEdit");
    edit->selectAll();
    edit->insert(QStringLiteral("ttf")); // as typed: textEdited
    EXPECT_EQ(page.rows()[9].extension, QStringLiteral("ttf"));
    EXPECT_FALSE(page.apply());
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(ui.shown()[0].text.contains(QStringLiteral("in the line 10 is already used in line 1")));
    EXPECT_EQ(prefs.GetAt(9).extension, QStringLiteral("prg"));

    edit->selectAll();
    edit->insert(QStringLiteral("pr2"));
    EXPECT_TRUE(page.apply());
    EXPECT_EQ(prefs.GetAt(9).extension, QStringLiteral("pr2"));
}

TEST_F(MapPageGui, LeavingThePageWithADuplicateKeepsItInFrontAndOkRefuses)
{
    CProperties sheet({CProperties::fileMapPage(prefs),
                       CProperties::pageFactory<CEmcrOptionsPropPage>(&CEmcrOptionsPropPage::modified)});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QWidget* mappings = sheet.tabs()->widget(0);
    auto* list = child<QTreeWidget>(*mappings, "mappingList");
    auto* edit = child<QLineEdit>(*mappings, "extensionEdit");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(9)).center());
    ASSERT_EQ(edit->text(), QStringLiteral("prg"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("ttf"));
    ASSERT_EQ(list->topLevelItem(9)->text(1), QStringLiteral("ttf"));

    QTabBar* bar = sheet.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(ui.shown()[0].text.contains(QStringLiteral("in the line 10 is already used in line 1")));
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(9));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("ttf"));

    QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(prefs.GetAt(9).extension, QStringLiteral("prg"));

    // Mended, the page can be left and its rows are stored with OK.
    QTest::keyClicks(edit, QStringLiteral("pr2"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
    QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(prefs.GetAt(9).extension, QStringLiteral("pr2"));
}

// A map the settings file cannot take is not applied: OK leaves the sheet open with Apply enabled and
// says why; once the disk takes it, OK stores the rows and closes.
TEST_F(MapPageGui, AMapTheSettingsCannotStoreKeepsTheSheetOpenAndSaysSo)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    qrl::SettingsProfile settings(path);
    const qrl::ScopedReplacement<qrl::Profile> installed(qrl::setProfile, &settings);
    ASSERT_TRUE(settings.setString("Settings", "version", "v"));
    CGlobalPrefs stored{QStringLiteral("v")};
    ASSERT_TRUE(stored.Load());
    ASSERT_TRUE(stored.Save());
    CProperties sheet({CProperties::fileMapPage(stored)});
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QWidget* mappings = sheet.tabs()->widget(0);
    auto* edit = child<QLineEdit>(*mappings, "extensionEdit");
    selectRow(*mappings, 9);
    ASSERT_EQ(edit->text(), QStringLiteral("prg"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("pr2"));
    const std::string before = qrl::test::readFile(path.toStdString());

    auto* ok = sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    qrl::injectWriteFault(0, ENOSPC);
    QTest::mouseClick(ok, Qt::LeftButton);
    qrl::clearInjectedWriteFault();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(sheet.applyButton()->isEnabled());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts()[0], qrl::formatText(qrl::text(qrl::ids::kPreferencesNotStored),
                                             {qrl::writeFailureText(qrl::WriteError::DiskFull, path)}));
    EXPECT_EQ(qrl::test::readFile(path.toStdString()), before);
    qrl::test::saveScreenshot(&sheet, "preferences-map-not-stored.png");

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(qrl::SettingsProfile(path).getString("File Mappings", "Map #9"),
              QStringLiteral("pr2;DATA;Program Data"));
    EXPECT_EQ(ui.texts().size(), 1);
}

TEST_F(MapPageGui, UnknownExtensionDialogWritesOnlyOnOk)
{
    int index = -1;
    bool remember = true;
    {
        CUnknownExtDlg dialog(QStringLiteral("/a/b.xyz"), &index, &remember);
        dialog.reject();
    }
    EXPECT_EQ(index, -1);
    CUnknownExtDlg dialog(QStringLiteral("/a/b.xyz"), &index, &remember);
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("typeList"));
    ASSERT_EQ(types->count(), 9);
    EXPECT_EQ(types->currentText(), QStringLiteral("True Type Font"));
    types->setCurrentIndex(6);
    dialog.findChild<QCheckBox*>(QStringLiteral("rememberCheck"))->setChecked(false);
    dialog.accept();
    EXPECT_EQ(index, 6);
    EXPECT_FALSE(remember);
}

TEST_F(MapPageGui, FileLocationPageModifiesOneRowAndRefusesAMissingFolder)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.path());
    qrl::AppContext app;
    CFileLocationOptionsPropPage page(app);
    auto* list = page.findChild<QTreeWidget*>(QStringLiteral("locationList"));
    auto* modify = page.findChild<QPushButton*>(QStringLiteral("modifyButton"));
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_GE(list->columnWidth(0), 108);
    std::optional<QString> next = path + QStringLiteral("/none");
    page.setModifyDialog([&](const QString&, const QString&) { return next; });
    list->setCurrentItem(list->topLevelItem(3));
    ASSERT_TRUE(modify->isEnabled());
    modify->click();
    EXPECT_EQ(list->topLevelItem(3)->text(1), path + QStringLiteral("/none"));
    EXPECT_FALSE(page.apply());
    EXPECT_TRUE(app.directories.macros.isEmpty());
    EXPECT_FALSE(profile.contains("File Locations", "MacrosDirectory"));

    next = path;
    modify->click();
    EXPECT_TRUE(page.apply());
    EXPECT_EQ(app.directories.macros, path);
    EXPECT_EQ(profile.getString("File Locations", "MacrosDirectory"), path);
}

TEST_F(MapPageGui, FileLocationRowsShowTheirOwnIconsAndTheirNamesWhole)
{
    qrl::AppContext app;
    CFileLocationOptionsPropPage page(app);
    page.resize(420, 260);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    auto* list = page.findChild<QTreeWidget*>(QStringLiteral("locationList"));
    // The kinds' column holds its header and every kind's icon and name, as the list measures them.
    const QAbstractItemView* view = list;
    EXPECT_GE(list->columnWidth(0), list->header()->sectionSizeHint(0));
    EXPECT_GE(list->columnWidth(0), view->sizeHintForColumn(0));
    qrl::test::saveScreenshot(&page, QStringLiteral("file-locations-first-opening.png"));
    const QImage missing = qrl::icons::kindImage(qrl::icons::kMissingFileImage, 16).toImage();
    QList<QImage> seen;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QIcon icon = list->topLevelItem(row)->icon(0);
        ASSERT_FALSE(icon.isNull()) << row;
        const QImage image = icon.pixmap(16).toImage().convertToFormat(missing.format());
        EXPECT_NE(image, missing) << row;
        EXPECT_FALSE(seen.contains(image)) << "row " << row << " repeats an icon";
        seen << image;
    }
    // The resource rows show their kinds' images.
    const auto kindOf = [&](int row, int kind) {
        return list->topLevelItem(row)->icon(0).pixmap(16).toImage().convertToFormat(missing.format()) ==
               qrl::icons::kindImage(kind, 16).toImage();
    };
    EXPECT_TRUE(kindOf(1, 0) && kindOf(2, 2) && kindOf(3, 1) && kindOf(4, 3));
    qrl::test::saveScreenshot(&page, QStringLiteral("file_locations_page.png"));
}

TEST_F(MapPageGui, EnterAfterBrowseConfirmsTheModifyDialog)
{
    QString directory = QStringLiteral("/old");
    CFileLocationModifyDlg dialog(QStringLiteral("Macros"), &directory);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* browse = dialog.findChild<QPushButton*>(QStringLiteral("browseButton"));
    ui.file(QStringLiteral("/chosen"));
    QTest::mouseClick(browse, Qt::LeftButton);
    browse->setFocus();
    QTest::keyClick(browse, Qt::Key_Return);
    EXPECT_EQ(ui.dialogs().size(), 1) << "Enter opened the chooser again";
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(directory, QStringLiteral("/chosen"));
}

TEST_F(MapPageGui, ModifyDialogBrowsesAndCancelReturnsNothing)
{
    QString directory = QStringLiteral("/old");
    {
        CFileLocationModifyDlg dialog(QStringLiteral("Macros"), &directory);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("File Location: Macros"));
        ui.file(QStringLiteral("/chosen"));
        dialog.browse();
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("directoryEdit"))->text(),
                  QStringLiteral("/chosen"));
        dialog.reject();
    }
    EXPECT_EQ(directory, QStringLiteral("/old"));
    CFileLocationModifyDlg dialog(QStringLiteral("Macros"), &directory);
    ui.file(QStringList{});
    dialog.browse();
    EXPECT_EQ(ui.dialogs().last().kind, QStringLiteral("folder"));
    dialog.accept();
    EXPECT_EQ(directory, QStringLiteral("/old"));
}
