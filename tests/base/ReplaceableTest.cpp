#include "Replaceable.h"

#include <gtest/gtest.h>

namespace {

struct Service {
    int id;
};

// Constant-initialised, as the program's services must be to be safe before main().
constinit qrl::Replaceable<Service> installed;

Service* setService(Service* next)
{
    return installed.replace(next);
}

TEST(Replaceable, FallsBackWhileNothingIsInstalledAndHandsBackWhatItReplaces)
{
    Service fallback{0};
    Service first{1};
    Service second{2};
    qrl::Replaceable<Service> slot;
    EXPECT_EQ(slot.get(), nullptr);
    EXPECT_EQ(&slot.getOr(fallback), &fallback);

    EXPECT_EQ(slot.replace(&first), nullptr);
    EXPECT_EQ(slot.replace(&second), &first);
    EXPECT_EQ(slot.get(), &second);
    EXPECT_EQ(&slot.getOr(fallback), &second);

    EXPECT_EQ(slot.replace(nullptr), &second);
    EXPECT_EQ(&slot.getOr(fallback), &fallback);
}

TEST(Replaceable, ScopedReplacementPutsBackThePreviousOneAlsoWhenNested)
{
    Service outer{1};
    Service inner{2};
    {
        const qrl::ScopedReplacement<Service> outerScope(setService, &outer);
        {
            const qrl::ScopedReplacement<Service> innerScope(setService, &inner);
            EXPECT_EQ(installed.get(), &inner);
        }
        EXPECT_EQ(installed.get(), &outer);
    }
    EXPECT_EQ(installed.get(), nullptr);
}

} // namespace
