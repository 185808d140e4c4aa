#include "EmcrOptions.h"

#include "AppContext.h"
#include "Profile.h"

namespace emcr::options {

int storedMask()
{
    return qrl::profile().getInt(QString::fromLatin1(kSection), QString::fromLatin1(kValueName), kDefaultMask);
}

bool storeMask(int mask)
{
    return qrl::profile().setInt(QString::fromLatin1(kSection), QString::fromLatin1(kValueName), mask & kUsedBits);
}

int creatorMask()
{
    return qrl::context().versionChanged ? kDefaultMask : storedMask();
}

} // namespace emcr::options
