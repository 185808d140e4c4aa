#include "MemoryProfile.h"

namespace qrl {

namespace {
Profile* current = nullptr;
} // namespace

Profile& profile()
{
    static MemoryProfile fallback;
    return current ? *current : fallback;
}

Profile* setProfile(Profile* next)
{
    Profile* previous = current;
    current = next;
    return previous;
}

} // namespace qrl
