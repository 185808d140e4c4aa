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

ProfileBatch::ProfileBatch(Profile& profile, LockWait wait) : m_profile(profile), m_wait(wait)
{
    m_profile.beginBatch();
}

ProfileBatch::~ProfileBatch()
{
    commit();
}

bool ProfileBatch::commit(QString* failure)
{
    if (!m_open)
        return true;
    m_open = false;
    return m_profile.endBatch(m_wait, failure);
}

} // namespace qrl
