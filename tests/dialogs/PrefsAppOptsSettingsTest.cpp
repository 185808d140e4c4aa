#include "CAppOptsSettings.h"
#include "SettingsKeys.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

const QString kSection = qrl::settings::keyText(qrl::settings::kSettingsSection);

int storedValue(const qrl::test::ScopedProfile& profile, const char* name)
{
    return profile.getInt(kSection, QString::fromLatin1(name), -99);
}

TEST(PrefsAppOptsSettings, InitialValuesTakeTheAppsStartUpValuesAndTheStoredFontSwitch)
{
    qrl::test::ScopedProfile profile;
    profile.setInt(kSection, QStringLiteral("StartUp Options"), 0);
    const qrl::appopts::Values unset = qrl::appopts::initialValues(1, 2);
    EXPECT_EQ(unset.splash, 1);
    EXPECT_EQ(unset.startUpOption, 2);
    EXPECT_EQ(unset.fontIdMessages, 0);
    profile.setInt(kSection, QStringLiteral("Font ID Messages"), 1);
    EXPECT_EQ(qrl::appopts::initialValues(0, 1).fontIdMessages, 1);
}

TEST(PrefsAppOptsSettings, StoreWritesTheThreeValuesThenTellsTheApplication)
{
    const qrl::appopts::Values cases[] = {{0, qrl::appopts::kDoNothing, 1},
                                          {1, qrl::appopts::kOpenLastProject, 0}};
    for (const qrl::appopts::Values& values : cases) {
        qrl::test::ScopedProfile profile;
        std::optional<std::pair<int, int>> told;
        ASSERT_TRUE(qrl::appopts::store(values, [&told](int splash, int option) {
            told = {splash, option};
        }));
        EXPECT_EQ(storedValue(profile, "StartUp Splash"), values.splash);
        EXPECT_EQ(storedValue(profile, "StartUp Options"), values.startUpOption);
        EXPECT_EQ(storedValue(profile, "Font ID Messages"), values.fontIdMessages);
        ASSERT_TRUE(told.has_value());
        EXPECT_EQ(*told, std::make_pair(values.splash, values.startUpOption));
    }
}

TEST(PrefsAppOptsSettings, RefusedWriteIsAFailureAndTheApplicationKeepsItsValues)
{
    qrl::test::ScopedProfile profile;
    profile.setFailWrites(true);
    bool told = false;
    EXPECT_FALSE(qrl::appopts::store({1, qrl::appopts::kDoNothing, 1}, [&told](int, int) { told = true; }));
    EXPECT_FALSE(told);
}

TEST(PrefsAppOptsSettings, StartUpOptionKeepsTheCurrentValueWhenNoChoiceIsChecked)
{
    struct Case {
        int checked;
        int current;
        int expected;
    };
    const Case cases[] = {{-1, 7, 7}, {2, 0, 2}, {0, 1, 0}, {3, 1, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(qrl::appopts::startUpOptionFromChoice(c.checked, c.current), c.expected) << c.checked;
}

} // namespace
