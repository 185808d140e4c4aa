// The main window's first size on a screen whose available area is smaller than that size: the
// offscreen screen of 800 x 800 at a scale of 1.4 holds 571 x 571 of the program's units.
#include "CMainFrame.h"

#include "Screenshot.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The scale is read when the application object is made, in main(): set before it.
const bool scaled = [] { return setenv("QT_SCALE_FACTOR", "1.4", 1) == 0; }();

} // namespace

TEST(FrameScaled, TheFirstWindowAndItsCapacityPaneFitTheAvailableArea)
{
    ASSERT_TRUE(scaled);
    qrl::test::ScopedProfile profile;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(area.height(), 600);
    CMainFrame frame;
    frame.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(area.contains(frame.frameGeometry())) << frame.frameGeometry().height();
    const QLabel* pane = frame.capacityPane();
    const QRect paneOnScreen(pane->mapToGlobal(QPoint(0, 0)), pane->size());
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(area.contains(paneOnScreen));
    qrl::test::saveScreenshot(&frame, QStringLiteral("main-window-scaled-first-size.png"));

    // A screen large enough keeps the classic size; a small one gets its area less the frame's room.
    EXPECT_EQ(CMainFrame::firstSize(QSize(1920, 1080)), QSize(800, 600));
    EXPECT_EQ(CMainFrame::firstSize(QSize(800, 500)), QSize(784, 452));
}
