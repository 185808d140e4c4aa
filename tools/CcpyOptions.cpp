#include "CcpyOptions.h"

#include "AppContext.h"

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
    return qrl::context().versionChanged ? kDefaultOptions : storedOptions();
}

} // namespace ccpy
