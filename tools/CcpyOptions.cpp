#include "CcpyOptions.h"

#include "CQuorlyn32App.h"

namespace ccpy {

int storedOptions()
{
    return qrl::read(qrl::settings::kCcpyOptions);
}

bool storeOptions(int mask)
{
    return qrl::write(qrl::settings::kCcpyOptions, mask & kUsedOptionBits);
}

int creatorOptions()
{
    return theApp().versionChanged() ? kDefaultOptions : storedOptions();
}

} // namespace ccpy
