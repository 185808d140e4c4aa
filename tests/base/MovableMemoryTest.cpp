#include "MemoryFaults.h"
#include "qrl_movable.h"

#include <gtest/gtest.h>

TEST(MovableMemory, BlocksAreZeroedAndSurviveLockCounts)
{
    const long before = QrlGlobalLiveBlocks();
    QrlHandle h = QrlGlobalAlloc(306);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(QrlGlobalSize(h), 306u);
    auto* p = static_cast<unsigned char*>(QrlGlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 306; ++i)
        ASSERT_EQ(p[i], 0) << i;
    p[305] = 7;
    EXPECT_EQ(QrlGlobalLock(h), p);
    EXPECT_EQ(QrlGlobalUnlock(h), 1);
    EXPECT_EQ(QrlGlobalUnlock(h), 0);
    EXPECT_EQ(QrlGlobalUnlock(h), 0);
    EXPECT_EQ(static_cast<unsigned char*>(QrlGlobalLock(h))[305], 7);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before + 1);
    EXPECT_EQ(QrlGlobalFree(h), nullptr);
    EXPECT_EQ(QrlGlobalLiveBlocks(), before);
    EXPECT_EQ(QrlGlobalFree(nullptr), nullptr);
    EXPECT_EQ(QrlGlobalLock(nullptr), nullptr);
}

TEST(MovableMemory, InjectedFaultsHitTheNamedCall)
{
    QrlGlobalSetFaults(2, 0);
    QrlHandle first = QrlGlobalAlloc(4);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(QrlGlobalAlloc(4), nullptr);
    QrlHandle third = QrlGlobalAlloc(4);
    EXPECT_NE(third, nullptr);
    QrlGlobalSetFaults(0, 1);
    EXPECT_EQ(QrlGlobalLock(first), nullptr);
    EXPECT_NE(QrlGlobalLock(first), nullptr);
    QrlGlobalSetFaults(0, 0);
    QrlGlobalFree(first);
    QrlGlobalFree(third);
}
