#include "MemoryProfile.h"

#include "Replaceable.h"

namespace qrl {

namespace {
Replaceable<Profile> current;
} // namespace

Profile& profile()
{
    static MemoryProfile fallback;
    return current.getOr(fallback);
}

Profile* setProfile(Profile* next)
{
    return current.replace(next);
}

} // namespace qrl
