#include "EmcrOptions.h"

#include "CQuorlyn32App.h"

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
    return theApp().versionChanged() ? kDefaultMask : storedMask();
}

} // namespace emcr::options
