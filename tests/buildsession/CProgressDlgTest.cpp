#include "CProgressDlg.h"

#include "ScriptedUserInterface.h"
#include "StringTable.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Notes whether the progress window was still visible when each box was shown.
class WatchingUserInterface : public qrl::test::ScriptedUserInterface {
public:
    QWidget* watched = nullptr;
    QList<bool> visibleAtBox;
    qrl::Answer message(const QString& text, qrl::Buttons buttons, qrl::Icon icon,
                        const QString& caption) override
    {
        visibleAtBox.append(watched && watched->isVisible());
        return ScriptedUserInterface::message(text, buttons, icon, caption);
    }
};

class ProgressDlgTest : public ::testing::Test {
protected:
    QProgressBar* bar() { return dlg->findChild<QProgressBar*>(QStringLiteral("progressBar")); }
    QLabel* status() { return dlg->findChild<QLabel*>(QStringLiteral("statusText")); }
    void deliverDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<CProgressDlg> dlg = std::make_unique<CProgressDlg>();
};

} // namespace

TEST_F(ProgressDlgTest, ShowsStatusAndBarOfTheBuild)
{
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Build Progress"));
    EXPECT_FALSE(dlg->isModal());
    ASSERT_TRUE(bar() && status());
    EXPECT_EQ(bar()->minimum(), 0);
    EXPECT_EQ(bar()->maximum(), 100);
    EXPECT_EQ(status()->text(), QString());

    dlg->showNow();
    EXPECT_TRUE(dlg->isVisible());
    dlg->StepIt(); // the default step
    EXPECT_EQ(bar()->value(), 10);
    dlg->SetStatusText(qrl::text(2352));
    dlg->ResetPosition();
    dlg->SetStep(25);
    for (int i = 0; i < 4; ++i)
        dlg->StepIt();
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_EQ(status()->text(), QStringLiteral("Building slots"));
    dlg->FillBar();
    EXPECT_EQ(bar()->value(), 100);
}

TEST_F(ProgressDlgTest, PaintsAtEveryChangeWithoutAnEventLoop)
{
    dlg->showNow();
    PaintCounter counter;
    bar()->installEventFilter(&counter);
    dlg->SetStep(2);
    for (int i = 0; i < 3; ++i) {
        const int before = counter.paints;
        dlg->StepIt();
        EXPECT_GT(counter.paints, before) << "step " << i;
    }
}

TEST_F(ProgressDlgTest, ResultIsShownAfterTheWindowIsHiddenAndTheWindowNeverDeletesItself)
{
    WatchingUserInterface ui;
    ui.watched = dlg.get();
    QPointer<CProgressDlg> alive(dlg.get());
    dlg->showNow();
    dlg->FillBar();
    dlg->ShowResult(qrl::build::BuildTarget::Card, 1);
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Project was written to the file.")});
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].icon, qrl::Icon::Information);
    EXPECT_EQ(ui.visibleAtBox, QList<bool>{false});

    // Escape or a close hides the window; only its owner destroys it.
    dlg->show();
    dlg->reject();
    dlg->close();
    deliverDeferredDeletes();
    EXPECT_TRUE(alive);
    EXPECT_FALSE(dlg->testAttribute(Qt::WA_DeleteOnClose));
    dlg.reset();
    EXPECT_FALSE(alive);
}

TEST_F(ProgressDlgTest, MidBuildTheBarShowsItsPosition)
{
    dlg->showNow();
    dlg->SetStatusText(qrl::text(2352));
    dlg->SetStep(25);
    dlg->StepIt();
    dlg->StepIt();
    const QImage shot = dlg->grab().toImage();
    const QImage barShot = bar()->grab().toImage();
    if (const QByteArray dir = qgetenv("QUORLYN_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("build-progress.png")));

    ASSERT_FALSE(shot.isNull());
    // Half the bar is filled: a point in the first quarter differs from one in the last.
    const int y = barShot.height() / 2;
    EXPECT_NE(barShot.pixel(barShot.width() / 4, y), barShot.pixel(barShot.width() * 3 / 4, y));
    EXPECT_EQ(barShot.pixel(barShot.width() / 4, y), barShot.pixel(barShot.width() * 2 / 5, y));
}
