#include "EmcrOptions.h"

#include "AppContext.h"

namespace emcr::options {

int storedMask()
{
    return qrl::read(qrl::settings::kEmcrOptions);
}

bool storeMask(int mask)
{
    return qrl::write(qrl::settings::kEmcrOptions, mask & kUsedBits);
}

int creatorMask()
{
    return qrl::context().versionChanged ? kDefaultMask : storedMask();
}

} // namespace emcr::options
