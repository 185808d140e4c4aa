#include "CommentMask.h"

#include "AppContext.h"

namespace qrl::commentmask {

template <const qrl::settings::IntSetting& kSetting>
int Store<kSetting>::storedMask()
{
    return qrl::read(kSetting);
}

template <const qrl::settings::IntSetting& kSetting>
bool Store<kSetting>::storeMask(int mask)
{
    return qrl::write(kSetting, mask & kUsedBits);
}

template <const qrl::settings::IntSetting& kSetting>
int Store<kSetting>::creatorMask()
{
    return qrl::context().versionChanged ? kDefaultMask : storedMask();
}

template struct Store<qrl::settings::kCcpyOptions>;
template struct Store<qrl::settings::kEmcrOptions>;

} // namespace qrl::commentmask
