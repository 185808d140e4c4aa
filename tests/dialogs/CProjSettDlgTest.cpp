#include "CProjSettDlg.h"

#include "AppContext.h"
#include "CQuorlyn32Doc.h"
#include "ProjectTestSupport.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "SettingsFormFixture.h"
#include "StringTable.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int kCustom = StorageSizeTable::kCustomIndex;
const QString kSection = QString::fromLatin1(CProjSettDlg::kPlacementSection);
const QString kPlacementValue = QStringLiteral("WinPlacement");
const char* const kMediumNames[kMediumCount] = {
    "sramCardButton", "jeidaCardButton",        "otpCardButton",   "epromButton",
    "hardDiskButton", "compactFlashCardButton", "microDriveButton"};

ProjectSettingsForm customForm(StorageMedium medium, int unit, const char* text,
                               std::uint64_t projectBytes = 0)
{
    return qrl::test::settingsForm(medium, kCustom, unit, text, projectBytes);
}

ProjectSettingsForm listedForm(StorageMedium medium, int sizeIndex, std::uint64_t projectBytes = 0,
                               MediaOffer mode = MediaOffer::All)
{
    return qrl::test::settingsForm(medium, sizeIndex, ProjectSettingsForm::kUnitMB, "", projectBytes, mode);
}

class ProjSettDlgTest : public ::testing::Test {
protected:
    void open(const ProjectSettingsForm& form) { dlg = std::make_unique<CProjSettDlg>(form); }
    template <typename T>
    T* find(const char* name) const
    {
        T* w = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    QRadioButton* medium(StorageMedium m) const { return find<QRadioButton>(kMediumNames[mediumNumber(m)]); }
    QComboBox* list() const { return find<QComboBox>("capacityList"); }
    QLineEdit* edit() const { return find<QLineEdit>("customSizeEdit"); }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    bool customEnabled() const
    {
        return edit()->isEnabled() && find<QRadioButton>("kbButton")->isEnabled() &&
               find<QRadioButton>("mbButton")->isEnabled();
    }
    void clickOk() const { find<QPushButton>("okButton")->click(); }

    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    std::unique_ptr<CProjSettDlg> dlg;
};

} // namespace

TEST_F(ProjSettDlgTest, ControlsShowTheFormAndReadBackIntoIt)
{
    open(customForm(kCompactFlashCard, ProjectSettingsForm::kUnitKB, "96", 1234));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Project Settings"));
    EXPECT_EQ(medium(kEprom)->text(), QStringLiteral("&EPROM"));
    EXPECT_TRUE(medium(kCompactFlashCard)->isChecked());
    ASSERT_EQ(list()->count(), 24);
    EXPECT_EQ(list()->itemText(0), QStringLiteral("32 KB"));
    EXPECT_EQ(list()->itemText(23), QStringLiteral("Custom..."));
    EXPECT_EQ(list()->currentIndex(), kCustom);
    EXPECT_EQ(edit()->text(), QStringLiteral("96"));
    EXPECT_EQ(edit()->maxLength(), 7);
    EXPECT_TRUE(find<QRadioButton>("kbButton")->isChecked());
    EXPECT_TRUE(list()->isEnabled() && customEnabled());
    EXPECT_EQ(label("capacityLabel"), QStringLiteral("C&apacity"));
    EXPECT_EQ(label("customSizeLabel"), QStringLiteral("&Define capacity"));

    medium(kOtpCard)->click();
    find<QRadioButton>("mbButton")->click();
    edit()->setText(QStringLiteral("2"));
    ProjectSettingsForm f = dlg->form();
    EXPECT_EQ(f.medium, kOtpCard);
    EXPECT_EQ(f.sizeIndex, kCustom);
    EXPECT_EQ(f.unit, ProjectSettingsForm::kUnitMB);
    EXPECT_EQ(f.customSizeText, QStringLiteral("2"));
    EXPECT_EQ(f.projectBytes, 1234u);

    // A listed size disables and empties the custom size.
    list()->setCurrentIndex(3);
    f = dlg->form();
    EXPECT_EQ(f.sizeIndex, 3);
    EXPECT_TRUE(f.customSizeText.isEmpty());
    EXPECT_FALSE(customEnabled());
    EXPECT_EQ(label("customSizeLabel"), QStringLiteral("Define capacity"));
    EXPECT_EQ(find<QRadioButton>("kbButton")->text(), QStringLiteral("Kb"));
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ProjSettDlgTest, MediaWithoutCapacityDisableTheCapacityPart)
{
    open(customForm(kHardDisk, ProjectSettingsForm::kUnitMB, "4"));
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(customEnabled());
    EXPECT_EQ(label("capacityLabel"), QStringLiteral("Capacity"));
    EXPECT_EQ(edit()->text(), QStringLiteral("4"));

    medium(kSramCard)->click();
    EXPECT_TRUE(list()->isEnabled() && customEnabled());
    medium(kMicroDrive)->click();
    EXPECT_FALSE(list()->isEnabled() || customEnabled());
    medium(kJeidaCard)->click();
    list()->setCurrentIndex(5);
    medium(kEprom)->click();
    medium(kCompactFlashCard)->click();
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_FALSE(customEnabled());
}

TEST_F(ProjSettDlgTest, ModesDisableMedia)
{
    const struct {
        MediaOffer mode;
        const char* enabled;
    } cases[] = {{MediaOffer::All, "1111111"},
                 {MediaOffer::NoEpromOrDisks, "1110010"},
                 {MediaOffer::JeidaOnly, "0100000"}};
    for (const auto& c : cases) {
        open(listedForm(kCompactFlashCard, 5, 0, c.mode));
        for (int m = 0; m < kMediumCount; ++m)
            EXPECT_EQ(medium(*mediumOfNumber(m))->isEnabled(), c.enabled[m] == '1')
                << "mode " << c.enabled << " medium " << m;
    }
}

TEST_F(ProjSettDlgTest, ASizeBelowTheProjectIsRefusedAndThePreviousEntryComesBack)
{
    open(customForm(kSramCard, ProjectSettingsForm::kUnitKB, "96", 40000));
    list()->setCurrentIndex(0);
    ASSERT_EQ(ui.texts(), QStringList{qrl::text(2223)});
    EXPECT_EQ(list()->currentIndex(), kCustom);
    EXPECT_EQ(edit()->text(), QStringLiteral("96"));
    EXPECT_TRUE(customEnabled());

    list()->setCurrentIndex(1);
    EXPECT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(dlg->form().sizeIndex, 1);
    list()->setCurrentIndex(0);
    EXPECT_EQ(ui.shown().size(), 2);
    EXPECT_EQ(list()->currentIndex(), 1);
}

TEST_F(ProjSettDlgTest, ALetterInTheCustomSizeEmptiesIt)
{
    open(customForm(kSramCard, ProjectSettingsForm::kUnitKB, "96"));
    edit()->setText(QStringLiteral("96k"));
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3041)});
    EXPECT_TRUE(edit()->text().isEmpty());
}

TEST_F(ProjSettDlgTest, AFailingCheckKeepsTheDialogOpenAndWritesNothing)
{
    open(customForm(kSramCard, ProjectSettingsForm::kUnitKB, "48"));
    dlg->show();
    clickOk();
    // Without a help file the refusal does not send the user to one.
    ASSERT_TRUE(qrl::context().helpFileName.isEmpty());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(9020)});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(profile.contains(kSection, kPlacementValue));

    // A medium change alone is checked too: the listed size cannot hold the project.
    open(listedForm(kHardDisk, 0, 40000));
    dlg->show();
    medium(kJeidaCard)->click();
    clickOk();
    EXPECT_EQ(ui.texts().last(), qrl::text(2223));
    EXPECT_TRUE(dlg->isVisible());

    list()->setCurrentIndex(kCustom);
    edit()->setText(QStringLiteral("96"));
    find<QRadioButton>("kbButton")->click();
    clickOk();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->choice().medium, kJeidaCard);
    EXPECT_EQ(dlg->choice().sizeIndex, kCustom);
    EXPECT_EQ(dlg->choice().customSize, 98304u);
    EXPECT_TRUE(profile.contains(kSection, kPlacementValue));
}

TEST_F(ProjSettDlgTest, CancelKeepsThePlacementOnly)
{
    open(listedForm(kCompactFlashCard, 5));
    dlg->show();
    dlg->setGeometry(40, 50, 500, 380);
    find<QPushButton>("cancelButton")->click();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(profile.getString(kSection, kPlacementValue), QStringLiteral("0,1,-1,-1,-1,-1,40,50,540,430"));

    // The next dialog opens where this one was.
    open(listedForm(kCompactFlashCard, 5));
    EXPECT_EQ(dlg->geometry(), QRect(40, 50, 500, 380));
}

class ProjSettDlgAppTest : public qrl::test::ProjectTest {};

TEST_F(ProjSettDlgAppTest, AChangedVersionOpensAtTheDefaultPlace)
{
    ASSERT_TRUE(qrl::context().versionChanged);
    profile.setString(kSection, kPlacementValue, QStringLiteral("0,1,-1,-1,-1,-1,40,50,540,430"));
    CProjSettDlg dlg(listedForm(kCompactFlashCard, 5));
    EXPECT_NE(dlg.geometry(), QRect(40, 50, 500, 380));
}

TEST_F(ProjSettDlgAppTest, RunAppliesOkToTheActiveProject)
{
    EXPECT_FALSE(CProjSettDlg::run(nullptr, MediaOffer::All)); // no active project, no dialog

    qrl::test::CheckedDoc doc;
    CQuorlyn32Doc::SetActive(&doc);
    qrl::test::RecordingPane pane;
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<CProjSettDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(shown);
        shown->findChild<QRadioButton*>(QStringLiteral("sramCardButton"))->click();
        shown->findChild<QComboBox*>(QStringLiteral("capacityList"))->setCurrentIndex(3);
        shown->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    EXPECT_TRUE(CProjSettDlg::run(nullptr, MediaOffer::All));
    CQuorlyn32Doc::SetActive(nullptr);
    EXPECT_EQ(doc.GetProjSett().m_medium, kSramCard);
    EXPECT_EQ(doc.GetProjSett().m_storageSizeIndex, 3);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(pane.texts.size(), 1);
}

TEST_F(ProjSettDlgAppTest, OkWithAMediumWithoutCapacityStoresTheListsSize)
{
    qrl::test::CheckedDoc doc;
    CQuorlyn32Doc::SetActive(&doc);
    for (const StorageMedium chosen : {kEprom, kHardDisk, kMicroDrive}) {
        doc.GetProjSett().m_medium = kCompactFlashCard;
        doc.GetProjSett().m_storageSizeIndex = 5;
        QTimer::singleShot(0, [chosen] {
            auto* shown = qobject_cast<CProjSettDlg*>(QApplication::activeModalWidget());
            ASSERT_TRUE(shown);
            auto* sizes = shown->findChild<QComboBox*>(QStringLiteral("capacityList"));
            sizes->setFocus();
            QTest::keyClick(sizes, Qt::Key_Down);
            auto* button =
                shown->findChild<QRadioButton*>(QString::fromLatin1(kMediumNames[mediumNumber(chosen)]));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            EXPECT_FALSE(sizes->isEnabled());
            QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        EXPECT_TRUE(CProjSettDlg::run(nullptr, MediaOffer::All)) << int{mediumNumber(chosen)};
        EXPECT_EQ(doc.GetProjSett().m_medium, chosen);
        EXPECT_EQ(doc.GetProjSett().m_storageSizeIndex, 6) << int{mediumNumber(chosen)};
    }
    CQuorlyn32Doc::SetActive(nullptr);
}

TEST_F(ProjSettDlgTest, TheCapacityRefusalNamesTheHelpFileOnlyWhenThereIsOne)
{
    const QTemporaryDir dir;
    const QString help = dir.filePath(QStringLiteral("Quorlyn32.hlp"));
    struct Row {
        bool helpFileThere;
        int message;
    };
    for (const Row row : {Row{false, 9020}, Row{true, 2222}}) {
        if (row.helpFileThere) {
            QFile file(help);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString previous = std::exchange(qrl::context().helpFileName, help);
        ui.clear();
        open(customForm(kCompactFlashCard, ProjectSettingsForm::kUnitMB, "0"));
        dlg->show();
        clickOk();
        qrl::context().helpFileName = previous;
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(row.message)}) << row.helpFileThere;
        EXPECT_EQ(ui.texts().value(0).contains(QStringLiteral("help file")), row.helpFileThere);
    }
}

TEST_F(ProjSettDlgAppTest, ACustomSizeTypedBeforeAChangeToAMediumWithoutCapacityIsKept)
{
    qrl::test::CheckedDoc doc;
    CQuorlyn32Doc::SetActive(&doc);
    doc.GetProjSett().m_medium = kCompactFlashCard;
    doc.GetProjSett().m_storageSizeIndex = 5;
    // Custom, 8 MB typed, EPROM, OK.
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<CProjSettDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(shown);
        shown->findChild<QComboBox*>(QStringLiteral("capacityList"))->setCurrentIndex(kCustom);
        auto* size = shown->findChild<QLineEdit*>(QStringLiteral("customSizeEdit"));
        QTest::keyClicks(size, QStringLiteral("8"));
        shown->findChild<QRadioButton*>(QStringLiteral("mbButton"))->click();
        shown->findChild<QRadioButton*>(QStringLiteral("epromButton"))->click();
        qrl::test::saveScreenshot(shown, QStringLiteral("project-settings-custom-eprom.png"));
        shown->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    ASSERT_TRUE(CProjSettDlg::run(nullptr, MediaOffer::All));
    EXPECT_EQ(doc.GetProjSett().m_medium, kEprom);
    EXPECT_EQ(doc.GetProjSett().m_storageSizeIndex, kCustom);
    EXPECT_EQ(doc.GetProjSett().m_customSize, 8u << 20);

    // Back on Compact Flash the size shows 8 MB and OK takes it.
    QString shownSize;
    QTimer::singleShot(0, [&shownSize] {
        auto* shown = qobject_cast<CProjSettDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(shown);
        shown->findChild<QRadioButton*>(QStringLiteral("compactFlashCardButton"))->click();
        shownSize = shown->findChild<QLineEdit*>(QStringLiteral("customSizeEdit"))->text();
        shown->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    ui.clear();
    ASSERT_TRUE(CProjSettDlg::run(nullptr, MediaOffer::All));
    CQuorlyn32Doc::SetActive(nullptr);
    EXPECT_EQ(shownSize, QStringLiteral("8"));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join(u'|').toStdString();
    EXPECT_EQ(doc.GetProjSett().m_medium, kCompactFlashCard);
    EXPECT_EQ(doc.GetProjSett().m_customSize, 8u << 20);
}
