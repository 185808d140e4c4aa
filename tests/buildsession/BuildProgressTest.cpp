#include "BuildProgress.h"

#include "StringTable.h"

#include <gtest/gtest.h>

#include <vector>

using qrl::build::BuildTarget;

TEST(BuildProgress, StepsWrapToZeroAtTheEndOfTheRange)
{
    struct Case {
        int step; // 0 keeps the default step of 10
        std::vector<int> positions;
    };
    const Case cases[] = {
        {0, {10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 10}},
        {25, {25, 50, 75, 0, 25}},
        {30, {30, 60, 90, 0}}, // 120 is past the end: back to 0, not to 20
        {4, {4, 8, 12}},
        {-10, {0, 0}}, // never below the start of the range
    };
    for (const Case& c : cases) {
        BuildProgress p;
        if (c.step != 0)
            p.setStep(c.step);
        for (int expected : c.positions) {
            p.stepIt();
            EXPECT_EQ(p.position(), expected) << "step " << c.step;
        }
    }

    BuildProgress p;
    p.fillBar();
    EXPECT_EQ(p.position(), 100);
    p.stepIt();
    EXPECT_EQ(p.position(), 0);
    p.stepIt();
    p.resetPosition();
    EXPECT_EQ(p.position(), 0);
}

TEST(BuildProgress, ResultTextByTargetAndOutput)
{
    struct Case {
        int target; // -1 and 4 name no target
        int toFile;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "Project was written to the print spooler."},
        {1, 0, "Project was written to the print spooler."},
        {0, 1, "Project was written to the file."},
        {1, 1, "Project was written to the file."},
        {1, 2, "Project was written to print spooler."},
        {2, 1, "Export was successful."},
        {3, 0, "Export was successful."},
        {-1, 0, "Project was written to print spooler."},
        {4, 1, "Project was written to print spooler."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qrl::text(BuildProgress::resultTextId(static_cast<BuildTarget>(c.target), c.toFile)),
                  QString::fromLatin1(c.text))
            << c.target << "/" << c.toFile;
    EXPECT_EQ(BuildProgress::resultTextId(BuildTarget::Eprom, 0), 3004);
    EXPECT_EQ(BuildProgress::resultTextId(BuildTarget::CardImage, 0), 3003);
}
