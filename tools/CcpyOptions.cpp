#include "CcpyOptions.h"

#include "AppContext.h"
#include "Profile.h"

namespace ccpy {

int storedOptions()
{
    return qrl::profile().getInt(QString::fromLatin1(kOptionsSection), QString::fromLatin1(kOptionsValue),
                                 kDefaultOptions);
}

bool storeOptions(int mask)
{
    return qrl::profile().setInt(QString::fromLatin1(kOptionsSection), QString::fromLatin1(kOptionsValue),
                                 mask & kUsedOptionBits);
}

int creatorOptions()
{
    return qrl::context().versionChanged ? kDefaultOptions : storedOptions();
}

} // namespace ccpy
