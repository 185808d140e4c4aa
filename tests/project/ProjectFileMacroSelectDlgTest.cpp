#include "CMacroSelectDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(CMacroSelectDlgTest, OkStoresTheChosenTypeAndClosingKeepsTheAnswer)
{
    int answer = 5;
    CMacroSelectDlg dialog(&answer, QStringLiteral("C:\\MACROS\\LOGO.MCR"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set macro type"));
    EXPECT_EQ(dialog.findChild<QLabel*>("fileNameLabel")->text(), QStringLiteral("C:\\MACROS\\LOGO.MCR"));
    auto* tellurade = dialog.findChild<QRadioButton*>("telluradeRadio");
    auto* pcl = dialog.findChild<QRadioButton*>("pclRadio");
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    ASSERT_TRUE(tellurade && pcl && ok);
    EXPECT_TRUE(tellurade->isChecked());

    ok->click();
    EXPECT_EQ(answer, 6);

    pcl->setChecked(true);
    ok->click();
    EXPECT_EQ(answer, 5);

    answer = 5;
    tellurade->setChecked(true);
    dialog.reject();
    EXPECT_EQ(answer, 5);
}

TEST(CMacroSelectDlgTest, QuestionAsksThroughTheDialog)
{
    CMacroSelectDlg::Question question;
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->findChild<QPushButton*>("okButton")->click();
    });
    EXPECT_EQ(question.askMacroType(QStringLiteral("a.mcr")), 6);
}

} // namespace
