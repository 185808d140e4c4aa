#include "CVorlDownloader.h"
#include "CVorlDownloaderOptionsPropPage.h"
#include "CVorlTargetDirectory.h"
#include "CapturedBoxes.h"
#include "FontDownloadFixtures.h"
#include "RecordingSpooler.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace qrl::test::fonttest;

namespace {

class FontDownloadDialogTest : public ::testing::Test {
protected:
    FontDownloadDialogTest()
    {
        spooler.addPrinter("FS-1", "usb://FS-1");
        spooler.addPrinter("FS-2", "socket://10.0.0.2");
        spooler.setDefaultPrinter("FS-2");
    }

    QString font(const std::string& file, const QByteArray& pfb)
    {
        qrl::test::writeFile(dir.file(file), pfb.toStdString());
        return QString::fromStdString(dir.file(file));
    }

    template <class T>
    static T* child(const QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    qrl::test::TempDirectory dir;
    qrl::RecordingSpooler spooler;
};

TEST_F(FontDownloadDialogTest, OpensWithStoredChoicesAndFollowsThePrinter)
{
    struct Case {
        const char* stored;
        const char* chosen;
    } cases[] = {{"FS-1", "FS-1"}, {"gone", "FS-2"}, {"", "FS-2"}};
    for (const Case& c : cases) {
        profile.setString("Vorl Font Downloader", "Printer", QString::fromLatin1(c.stored));
        CVorlDownloader dialog(nullptr, &spooler);
        EXPECT_EQ(dialog.request().printerName, QString::fromLatin1(c.chosen)) << c.stored;
    }

    // A stored medium other than the two choices opens on the first.
    profile.setInt("Vorl Font Downloader", "nMediumType", 7);
    EXPECT_EQ(CVorlDownloader(nullptr, &spooler).request().mediumType,
              qrl::fontdownload::Medium::CompactFlash);
    profile.setInt("Vorl Font Downloader", "nMediumType", 1);
    CVorlDownloader dialog(nullptr, &spooler);
    auto* combo = child<QComboBox>(dialog, "printerCombo");
    auto* send = child<QPushButton>(dialog, "sendButton");
    auto* fontList = child<QPushButton>(dialog, "fontListButton");
    auto* port = child<QLabel>(dialog, "portLabel");
    EXPECT_EQ(combo->itemText(0), QStringLiteral("FILE:"));
    EXPECT_EQ(dialog.request().mediumType, qrl::fontdownload::Medium::HardDisk);
    EXPECT_EQ(dialog.request().options, 6);
    EXPECT_FALSE(child<QPushButton>(dialog, "modifyTargetButton")->isHidden());
    EXPECT_EQ(fontList->text(), QStringLiteral("Print &font list"));
    EXPECT_FALSE(send->isEnabled());
    EXPECT_EQ(send->text(), QStringLiteral("Send to &printer"));
    EXPECT_EQ(port->text(), QStringLiteral("socket://10.0.0.2"));

    combo->setCurrentIndex(0);
    EXPECT_EQ(send->text(), QStringLiteral("&Write to file..."));
    EXPECT_FALSE(fontList->isEnabled());
    EXPECT_EQ(port->text(), QStringLiteral("FILE:"));
    combo->setCurrentText(QStringLiteral("FS-1"));
    EXPECT_EQ(send->text(), QStringLiteral("Send to &printer"));
    EXPECT_TRUE(fontList->isEnabled());
    EXPECT_EQ(port->text(), QStringLiteral("usb://FS-1"));

    profile.setInt("Options", "VorlDownloaderOptions", 0);
    CVorlDownloader plain(nullptr, &spooler);
    EXPECT_TRUE(child<QPushButton>(plain, "modifyTargetButton")->isHidden());
    EXPECT_EQ(child<QPushButton>(plain, "fontListButton")->text(), QStringLiteral("Print font file &list"));
}

TEST_F(FontDownloadDialogTest, ListRowsMapToTheRequest)
{
    CVorlDownloader dialog(nullptr, &spooler);
    auto* list = child<QTreeWidget>(dialog, "fontList");
    dialog.addFiles({font("Old.pfb", smallFont("Old"))});
    const QString a = font("A.pfb", smallFont("Alpha"));
    const QString text = font("T.pfb", "FontName /T def");
    const QString noName = font("N.pfb", segment(1, "no name here"));
    const QString b = font("B.pfb", smallFont("Beta"));
    dialog.addFiles({a, text, noName, b});
    EXPECT_EQ(ui.texts(), QStringList({qrl::formatText(qrl::text(5023), {text}),
                                       QStringLiteral("Could not get the font name from file .")}));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_FALSE(list->topLevelItem(0)->isSelected());
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());
    EXPECT_TRUE(list->topLevelItem(2)->isSelected());
    EXPECT_TRUE(child<QPushButton>(dialog, "sendButton")->isEnabled());

    dialog.applyTargetDirectory(QStringLiteral("psfonts"));
    dialog.applyTargetDirectory(QString());
    child<QRadioButton>(dialog, "hardDiskRadio")->click();
    const FontDownloadRequest r = dialog.request();
    ASSERT_EQ(r.rows.size(), 3);
    EXPECT_EQ(r.rows[0].targetPath, QStringLiteral("fonts/Old"));
    EXPECT_EQ(r.rows[1].fontName, QStringLiteral("Alpha"));
    EXPECT_EQ(r.rows[1].targetPath, QStringLiteral("psfonts/Alpha"));
    EXPECT_EQ(r.rows[1].localPath, a);
    EXPECT_EQ(r.rows[1].fileSizeText, QString::number(smallFont("Alpha").size()));
    EXPECT_EQ(r.rows[2].targetPath, QStringLiteral("psfonts/Beta"));
    EXPECT_EQ(r.mediumType, qrl::fontdownload::Medium::HardDisk);
    qrl::test::saveScreenshot(&dialog, QStringLiteral("FontDownloader.png"));

    // Removing rows 1 and 2 leaves row 0 and selects nothing past the end; then the last goes.
    child<QPushButton>(dialog, "removeButton")->click();
    EXPECT_EQ(list->topLevelItemCount(), 1);
    list->topLevelItem(0)->setSelected(false);
    EXPECT_FALSE(child<QPushButton>(dialog, "removeButton")->isEnabled());
    list->topLevelItem(0)->setSelected(true);
    child<QPushButton>(dialog, "removeButton")->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>(dialog, "sendButton")->isEnabled());
}

TEST_F(FontDownloadDialogTest, ASharedFolderPathEndsTheAddedList)
{
    CVorlDownloader dialog(nullptr, &spooler);
    const QString a = font("A.pfb", smallFont("Alpha"));
    const QString b = font("B.pfb", smallFont("Beta"));
    dialog.addFiles({a, QStringLiteral("\\\\server\\fonts\\S.pfb"), b});
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3035)});
    EXPECT_EQ(child<QTreeWidget>(dialog, "fontList")->topLevelItemCount(), 1);
}

TEST_F(FontDownloadDialogTest, SendAndCloseKeepTheChoices)
{
    profile.setString("Vorl Font Downloader", "Printer", QStringLiteral("FS-1"));
    CVorlDownloader dialog(nullptr, &spooler);
    dialog.addFiles({font("A.pfb", smallFont("Alpha"))});
    child<QPushButton>(dialog, "sendButton")->click();
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_EQ(spooler.jobs().front().printer, "FS-1");
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Sent to the printer spooler successfully"));

    child<QComboBox>(dialog, "printerCombo")->setCurrentIndex(0);
    const QString target = QString::fromStdString(dir.file("A.prn"));
    ui.file(target);
    child<QPushButton>(dialog, "sendButton")->click();
    EXPECT_EQ(QByteArray::fromStdString(qrl::test::readFile(target.toStdString())),
              QByteArray::fromStdString(spooler.jobs().front().bytes));

    child<QRadioButton>(dialog, "hardDiskRadio")->click();
    child<QTreeWidget>(dialog, "fontList")->setColumnWidth(2, 222);
    child<QPushButton>(dialog, "exitButton")->click();
    EXPECT_EQ(profile.getString("Vorl Font Downloader", "Printer"), QStringLiteral("FILE:"));
    EXPECT_EQ(profile.getInt("Vorl Font Downloader", "nMediumType", -1), 1);
    EXPECT_EQ(profile.getInt("Vorl Font Downloader", "widthColumnLocalPath", -1), 222);
    EXPECT_EQ(profile.getInt("Vorl Font Downloader", "widthColumnDescription", -1), 170);
    EXPECT_EQ(profile.getInt("Options", "VorlDownloaderOptions", -1), 6);
    EXPECT_TRUE(profile.contains("Vorl Font Downloader", "WinPlacement"));
}

TEST_F(FontDownloadDialogTest, ASendThePrinterRefusesGivesTheSpoolersReasonBeneath)
{
    using Fate = qrl::JobOutcome::Fate;
    struct Case {
        Fate fate;
        QString text;
        QString detail;
    };
    const Case cases[] = {
        {Fate::Failed, QStringLiteral("Failed to send to the printer"),
         QStringLiteral("no paper in the test")},
        {Fate::Waiting, QStringLiteral("Sent to the printer spooler successfully"),
         QStringLiteral("The job is waiting in the print system: no paper in the test")},
    };
    profile.setString("Vorl Font Downloader", "Printer", QStringLiteral("FS-1"));
    CVorlDownloader dialog(nullptr, &spooler);
    dialog.addFiles({font("A.pfb", smallFont("Alpha"))});
    for (const Case& c : cases) {
        ui.clear();
        spooler.faults().outcome = {c.fate, "no paper in the test"};
        QTest::mouseClick(child<QPushButton>(dialog, "sendButton"), Qt::LeftButton);
        ASSERT_EQ(ui.shown().size(), 1);
        EXPECT_EQ(ui.shown()[0].text, c.text);
        EXPECT_EQ(ui.shown()[0].detail, c.detail);
    }

    // The same box as a person sees it.
    qrl::test::CapturedBoxes boxes;
    boxes.captureAs(QStringLiteral("font-download-failed-with-reason.png"));
    spooler.faults().outcome = {Fate::Failed, "no paper in the test"};
    QTest::mouseClick(child<QPushButton>(dialog, "sendButton"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].detail, QStringLiteral("no paper in the test"));
}

TEST_F(FontDownloadDialogTest, OptionsPageReadsAndWritesTheTwoBits)
{
    struct Case {
        int stored; // -1: none
        bool allow;
        bool flst;
        int written;
    } cases[] = {{-1, true, true, 6}, {7, true, true, 6}, {0, false, false, 0}, {4, false, true, 4}};
    for (const Case& c : cases) {
        profile.removeValue("Options", "VorlDownloaderOptions");
        if (c.stored >= 0)
            profile.setInt("Options", "VorlDownloaderOptions", c.stored);
        CVorlDownloaderOptionsPropPage page;
        EXPECT_EQ(child<QCheckBox>(page, "allowModifyTargetCheck")->isChecked(), c.allow) << c.stored;
        EXPECT_EQ(child<QRadioButton>(page, "flstMethodRadio")->isChecked(), c.flst) << c.stored;
        ASSERT_TRUE(page.apply());
        EXPECT_EQ(profile.getInt("Options", "VorlDownloaderOptions", -1), c.written) << c.stored;
    }
    profile.setInt("Options", "VorlDownloaderOptions", 6);
    CVorlDownloaderOptionsPropPage page;
    int changes = 0;
    QObject::connect(&page, &CVorlDownloaderOptionsPropPage::changed, [&] { ++changes; });
    child<QCheckBox>(page, "allowModifyTargetCheck")->click();
    child<QRadioButton>(page, "postScriptMethodRadio")->click();
    EXPECT_EQ(changes, 2);
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(profile.getInt("Options", "VorlDownloaderOptions", -1), 0);
}

TEST_F(FontDownloadDialogTest, TargetDirectoryTakesAnyLatin1TextUpTo255)
{
    CVorlTargetDirectory dialog;
    auto* edit = child<QLineEdit>(dialog, "directoryNameEdit");
    edit->setText(QString(300, QLatin1Char('d')));
    EXPECT_EQ(edit->text().size(), 255);
    EXPECT_EQ(child<QLabel>(dialog, "directoryNameLabel")->buddy(), edit);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("my fonts/ps (x)"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.directoryName(), QStringLiteral("my fonts/ps (x)"));
}

} // namespace
