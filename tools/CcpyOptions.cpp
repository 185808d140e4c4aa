#include "CcpyOptions.h"

#include "CQuorlyn32App.h"
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
    return theApp().versionChanged() ? kDefaultOptions : storedOptions();
}

} // namespace ccpy
