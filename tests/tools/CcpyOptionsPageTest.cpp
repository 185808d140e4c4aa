#include "CCcpyOptionsPropPage.h"
#include "TestEnvironment.h"

#include <QCheckBox>

#include <gtest/gtest.h>

namespace {

const char* const kBoxes[] = {"enableVersionBox",  "enableTimeBox",  "enableExplainBox",
                              "disableVersionBox", "disableTimeBox", "disableExplainBox"};

QCheckBox* box(CCcpyOptionsPropPage& page, int i)
{
    auto* b = page.findChild<QCheckBox*>(QString::fromLatin1(kBoxes[i]));
    EXPECT_TRUE(b) << kBoxes[i];
    return b;
}

int stored(const qrl::test::ScopedProfile& profile)
{
    return profile.getInt(QStringLiteral("Options"), QStringLiteral("CcpyOptions"), -1);
}

} // namespace

TEST(CcpyOptionsPage, BoxesShowTheSixBitsAndApplyStoresOnlyThem)
{
    qrl::test::ScopedProfile profile;
    {
        CCcpyOptionsPropPage page;
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(box(page, i)->isChecked()) << i; // default 126
        EXPECT_EQ(page.mask(), 126);
    }
    profile.setInt(QStringLiteral("Options"), QStringLiteral("CcpyOptions"), 0x1 | 0x08 | 0x20 | 0x180);
    CCcpyOptionsPropPage page;
    const bool expected[] = {false, false, true, false, true, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(box(page, i)->isChecked(), expected[i]) << i;
    EXPECT_EQ(box(page, 2)->text(),
              QStringLiteral("Write Tellurade commands &explanation in a CMNT comment line"));

    int modified = 0;
    QObject::connect(&page, &CCcpyOptionsPropPage::modified, [&modified] { ++modified; });
    box(page, 0)->click();
    EXPECT_EQ(modified, 1);
    EXPECT_TRUE(page.isModified());
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(stored(profile), 0x02 | 0x08 | 0x20);
    EXPECT_FALSE(page.isModified());

    for (int i = 0; i < 6; ++i)
        box(page, i)->setChecked(false);
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(stored(profile), 0);
}
