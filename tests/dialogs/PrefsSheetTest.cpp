#include "CProperties.h"

#include "AppContext.h"
#include "CFileLocationOptionsPropPage.h"
#include "CWinPlacement.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kSheetSection = QString::fromLatin1(CProperties::kPlacementSection);

class PrefsSheetTest : public ::testing::Test {
protected:
    std::unique_ptr<CProperties> makeSheet()
    {
        auto sheet = std::make_unique<CProperties>(CProperties::programPages([this](int splash, int option) {
            m_told = {splash, option};
        }));
        sheet->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        return sheet;
    }

    template <class T>
    static T* child(CProperties& sheet, const char* name)
    {
        T* widget = sheet.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void clickOk(CProperties& sheet)
    {
        QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    // A check or radio button takes clicks on its indicator and text only, not across its whole width.
    static void clickIndicator(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static void clickTab(CProperties& sheet, int index)
    {
        QTabBar* bar = sheet.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    qrl::test::ScopedProfile m_profile;
    std::optional<std::pair<int, int>> m_told;
};

// The application object outlives every test; each test leaves its start-up values as it found them.
class KeptStartUpValues {
public:
    KeptStartUpValues() : m_splash(qrl::context().startUpSplash), m_option(qrl::context().startUpOptions) {}
    ~KeptStartUpValues()
    {
        qrl::context().startUpSplash = m_splash;
        qrl::context().startUpOptions = m_option;
    }

private:
    int m_splash;
    int m_option;
};

TEST_F(PrefsSheetTest, ShowsItsPagesInOrderWithTheGlobalOptionsFirst)
{
    auto sheet = makeSheet();
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Preferences"));
    // Without a started application there is no extension map, so its page is left out here.
    const QStringList expected = {QStringLiteral("Global Options"), QStringLiteral("File Locations"),
                                  QStringLiteral("EMCR Creator Options"),
                                  QStringLiteral("Multi-Part Form Creator Options"),
                                  QStringLiteral("Vorl Font Downloader Options")};
    QStringList captions;
    for (int i = 0; i < sheet->tabs()->count(); ++i)
        captions << sheet->tabs()->tabText(i);
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 0);
    EXPECT_FALSE(sheet->applyButton()->isEnabled());
    // The page opens with the application's start-up values.
    EXPECT_EQ(child<QCheckBox>(*sheet, "splashBox")->isChecked(), qrl::context().startUpSplash != 0);
    const char* const buttons[] = {"openLastProjectButton", "createNewProjectButton", "doNothingButton"};
    const int option = qrl::context().startUpOptions;
    ASSERT_TRUE(option >= 0 && option < 3);
    EXPECT_TRUE(child<QRadioButton>(*sheet, buttons[option])->isChecked());
}

TEST_F(PrefsSheetTest, ApplyStoresTheShownPagesAndTellsTheApplication)
{
    auto sheet = makeSheet();
    child<QRadioButton>(*sheet, "doNothingButton")->click();
    child<QCheckBox>(*sheet, "fontIdMessagesBox")->click();
    ASSERT_TRUE(sheet->applyButton()->isEnabled());
    const int splash = child<QCheckBox>(*sheet, "splashBox")->isChecked() ? 1 : 0;

    sheet->applyButton()->click();
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("StartUp Options"), -1), 2);
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("Font ID Messages"), -1), 1);
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("StartUp Splash"), -1), splash);
    ASSERT_TRUE(m_told.has_value());
    EXPECT_EQ(*m_told, std::make_pair(splash, 2));
    EXPECT_FALSE(sheet->applyButton()->isEnabled());
    EXPECT_TRUE(sheet->isVisible());
    // A page never shown is not stored; once shown, it is.
    EXPECT_FALSE(m_profile.contains(QStringLiteral("Options"), QStringLiteral("EmcrOptions")));
    sheet->tabs()->setCurrentIndex(2); // the EMCR page, after the file locations page
    ASSERT_TRUE(sheet->applyShownPages());
    EXPECT_TRUE(m_profile.contains(QStringLiteral("Options"), QStringLiteral("EmcrOptions")));
}

TEST_F(PrefsSheetTest, ASecondOkStoresWhatTheFirstStored)
{
    const KeptStartUpValues kept;
    qrl::context().startUpSplash = 0;
    qrl::context().startUpOptions = qrl::appopts::kCreateNewProject;
    {
        auto sheet = makeSheet();
        clickIndicator(child<QRadioButton>(*sheet, "doNothingButton"));
        clickIndicator(child<QCheckBox>(*sheet, "splashBox"));
        clickOk(*sheet);
        ASSERT_EQ(sheet->result(), QDialog::Accepted);
    }
    EXPECT_EQ(qrl::context().startUpOptions, qrl::appopts::kDoNothing);
    EXPECT_EQ(qrl::context().startUpSplash, 1);

    auto sheet = makeSheet();
    EXPECT_TRUE(child<QRadioButton>(*sheet, "doNothingButton")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*sheet, "splashBox")->isChecked());
    clickOk(*sheet);
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("StartUp Options"), -1), qrl::appopts::kDoNothing);
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("StartUp Splash"), -1), 1);
}

TEST_F(PrefsSheetTest, OpensWideEnoughForEveryTab)
{
    auto sheet = makeSheet();
    QTabBar* bar = sheet->tabs()->tabBar();
    const QRect last = bar->tabRect(bar->count() - 1);
    EXPECT_LE(last.right(), bar->width()) << "the last tab is cut off";
    // Scroll buttons would be the tab bar's only tool buttons.
    for (const QWidget* button : bar->findChildren<QWidget*>())
        EXPECT_FALSE(button->isVisible()) << button->metaObject()->className();
    qrl::test::saveScreenshot(sheet.get(), QStringLiteral("preferences_sheet.png"));
}

TEST_F(PrefsSheetTest, OkRefusedByAPageBehindBringsThatPageToTheFront)
{
    qrl::test::ScriptedUserInterface ui;
    qrl::test::TempDirectory dir;
    auto sheet = makeSheet();
    clickTab(*sheet, 1);
    ASSERT_EQ(sheet->tabs()->currentIndex(), 1);
    auto* locations = sheet->findChild<CFileLocationOptionsPropPage*>();
    ASSERT_TRUE(locations);
    locations->setModifyDialog([&](const QString&, const QString&) {
        return std::optional<QString>(QString::fromStdString(dir.path() + "/none"));
    });
    auto* list = locations->findChild<QTreeWidget*>(QStringLiteral("locationList"));
    list->setCurrentItem(list->topLevelItem(3));
    QTest::mouseClick(locations->findChild<QPushButton*>(QStringLiteral("modifyButton")), Qt::LeftButton);
    clickTab(*sheet, 2);
    ASSERT_EQ(sheet->tabs()->currentIndex(), 2);

    clickOk(*sheet);
    EXPECT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->tabs()->currentWidget(), locations);
    EXPECT_TRUE(sheet->applyButton()->isEnabled());
}

TEST_F(PrefsSheetTest, CancelStoresNothingButThePlacement)
{
    auto sheet = makeSheet();
    child<QRadioButton>(*sheet, "doNothingButton")->click();
    sheet->tabs()->setCurrentIndex(1);
    sheet->reject();
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_TRUE(m_profile.valueNames(kSettings).isEmpty());
    EXPECT_TRUE(m_profile.valueNames(QStringLiteral("Options")).isEmpty());
    EXPECT_FALSE(m_told.has_value());
    EXPECT_TRUE(m_profile.contains(kSheetSection, QString::fromLatin1(CWinPlacement::kValueName)));
}

TEST_F(PrefsSheetTest, RefusedWriteKeepsTheSheetOpenWithApplyEnabled)
{
    auto sheet = makeSheet();
    child<QCheckBox>(*sheet, "fontIdMessagesBox")->click();
    m_profile.setFailWrites(true);
    sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(sheet->applyButton()->isEnabled());
    EXPECT_FALSE(m_told.has_value());
    m_profile.setFailWrites(false);
    sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(m_profile.getInt(kSettings, QStringLiteral("Font ID Messages"), -1), 1);
}

TEST_F(PrefsSheetTest, OpensAtTheStoredPlacement)
{
    m_profile.setString(kSheetSection, QString::fromLatin1(CWinPlacement::kValueName),
                        QStringLiteral("0,1,-1,-1,-1,-1,40,50,640,530"));
    CProperties sheet(CProperties::programPages({}));
    EXPECT_EQ(sheet.geometry().size(), QSize(600, 480));
}

} // namespace
