#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "LogFileWindow.h"
#include "QtAppShell.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "SessionEnd.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "WindowPlacementAdapter.h"

#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

TEST(LogFileWindowGui, RowsSplitAtLineEndsAndTheLastIsSelected)
{
    auto* w = new LogFileWindow;
    ASSERT_TRUE(w->Create(nullptr));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("LogFile Window"));
    EXPECT_EQ(w->geometry().size(), QSize(600, 300));
    EXPECT_EQ(w->geometry().topLeft(), QPoint(10, 10));
    EXPECT_EQ(w->AddText("a\r\nb"), 1);
    EXPECT_EQ(w->AddText("c\r\n"), 3);
    EXPECT_EQ(w->AddText(""), -1);
    EXPECT_EQ(w->AddLine("[2024/03/05 - 07:08:09] "), 4);
    QListWidget* list = w->list();
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("c"));
    EXPECT_EQ(list->item(3)->text(), QString());
    EXPECT_EQ(list->currentRow(), 4);
    w->show();
    qrl::test::saveScreenshot(w, "log-window.png");
    delete w;
}

TEST(PlacementAdapterGui, WindowsOnNoScreenComeBackAndMaximisedStaysMaximised)
{
    QWidget w;
    qrl::WindowPlacement p;
    p.left = 50000;
    p.top = 50000;
    p.right = 50400;
    p.bottom = 50300;
    qrl::applyWindowPlacement(&w, p);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(w.geometry()));
    EXPECT_EQ(w.geometry().size(), QSize(400, 300));
    p = {};
    p.left = 20;
    p.top = 30;
    p.right = 420;
    p.bottom = 330;
    p.showCommand = qrl::WindowPlacement::kShowMaximized;
    qrl::applyWindowPlacement(&w, p);
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    const qrl::WindowPlacement back = qrl::captureWindowPlacement(&w);
    EXPECT_EQ(back.showCommand, qrl::WindowPlacement::kShowMaximized);
}

TEST(ApplicationGui, StartsShowsItsWindowAndEndsOnASessionEnd)
{
    qrl::test::TempCwd cwd;
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    profile.setInt("Settings", "LogLevel", 2);
    {
        CQuorlyn32App app;
        QtAppShell shell;
        ASSERT_TRUE(app.InitInstance(shell, QStringLiteral(QUORLYN_BIN_DIR "/Quorlyn32"), {}));
        ASSERT_NE(shell.mainFrame(), nullptr);
        EXPECT_TRUE(shell.mainFrame()->isVisible());
        EXPECT_EQ(shell.mainFrame()->windowTitle(), QStringLiteral("Quorlyn for Windows"));
        ASSERT_NE(app.log().window(), nullptr);
        // At LogLevel 2 the log window opens on the screen and stays over the main window.
        auto* logWindow = dynamic_cast<LogFileWindow*>(app.log().window());
        ASSERT_NE(logWindow, nullptr);
        EXPECT_TRUE(logWindow->isWindow());
        EXPECT_TRUE(logWindow->isVisible());
        EXPECT_EQ(logWindow->parentWidget(), shell.mainFrame());
        EXPECT_TRUE(logWindow->screen()->availableGeometry().contains(logWindow->frameGeometry()));
        EXPECT_EQ(logWindow->size(), QSize(600, 300));
        installSessionEndHandler(shell.mainFrame());
        qrl::test::saveScreenshot(shell.mainFrame(), "main-window.png");
        QTimer::singleShot(50, [] { std::raise(SIGTERM); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // a bound, should it hang
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(shell.mainFrame()->isVisible());
        app.ExitInstance();
    }
    const std::string log = qrl::test::readFile("Quorlyn32.log");
    EXPECT_NE(log.find("***** Starting ***** Log file successfully opened: Quorlyn32.log\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("***** Ending ***** Log file is about closing.\r\n"), std::string::npos);
    EXPECT_EQ(profile.getString("Settings", "version"), QStringLiteral(QUORLYN_VERSION_TEXT));
    EXPECT_TRUE(profile.contains("Settings", "WinPlacement"));
}
