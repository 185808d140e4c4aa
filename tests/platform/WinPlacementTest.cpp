#include "CWinPlacement.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

TEST(WinPlacement, SaveThenLoadGivesTheSameNumbers)
{
    qrl::test::ScopedProfile profile;
    CWinPlacement store;
    qrl::WindowPlacement p;
    p.flags = 2;
    p.showCommand = qrl::WindowPlacement::kShowMaximized;
    p.minX = -32000;
    p.minY = -32000;
    p.left = -1280; // a monitor left of the primary one
    p.top = 10;
    p.right = -100;
    p.bottom = 700;
    ASSERT_TRUE(store.SaveWindowPlacement("Build", p));
    EXPECT_EQ(profile.getString("Build", "WinPlacement"),
              QStringLiteral("2,3,-32000,-32000,-1,-1,-1280,10,-100,700"));
    qrl::WindowPlacement back;
    ASSERT_TRUE(store.LoadWindowPlacement("Build", back));
    EXPECT_EQ(back, p);
}

TEST(WinPlacement, RefusedTextsLeaveThePlacementAlone)
{
    qrl::test::ScopedProfile profile;
    CWinPlacement store;
    const char* refused[] = {
        "",                            // empty
        "0,1,-1,-1,-1,-1,-1,-1,-1,-1", // the reset text: empty rectangle
        "0,1,-1,-1,-1,-1,1,2,3",       // nine numbers
        "0,1,-1,-1,-1,-1,1,2,x,4",     // letters
        "0,1,-1,-1,-1,-1,5,2,5,40",    // left equals right
        "0,1,-1,-1,-1,-1,5,2,50,2",    // top equals bottom
    };
    for (const char* text : refused) {
        profile.setString("Settings", "WinPlacement", text);
        qrl::WindowPlacement p;
        p.left = 77;
        EXPECT_FALSE(store.LoadWindowPlacement("Settings", p)) << text;
        EXPECT_EQ(p.left, 77) << text;
    }
    profile.removeValue("Settings", "WinPlacement");
    qrl::WindowPlacement p;
    EXPECT_FALSE(store.LoadWindowPlacement("Settings", p));
}

TEST(WinPlacement, HiddenAndMinimisedShowCommandsRestoreANormalWindow)
{
    qrl::test::ScopedProfile profile;
    CWinPlacement store;
    for (const char* cmd : {"0", "2", "6", "7"}) {
        profile.setString("Settings", "WinPlacement", QString("0,%1,-1,-1,-1,-1,10,10,400,300").arg(cmd));
        qrl::WindowPlacement p;
        ASSERT_TRUE(store.LoadWindowPlacement("Settings", p)) << cmd;
        EXPECT_EQ(p.showCommand, qrl::WindowPlacement::kShowNormal) << cmd;
    }
}
