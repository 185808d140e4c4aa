#include "PrintToolsOptions.h"

namespace {

std::uint32_t storedMask()
{
    return static_cast<std::uint32_t>(qrl::read(qrl::settings::kPrintToolsOptions));
}

} // namespace

PrintToolsOptions PrintToolsOptions::read()
{
    return {(storedMask() & kToolTipsBit) != 0};
}

bool PrintToolsOptions::write(const PrintToolsOptions& options)
{
    const std::uint32_t mask =
        options.toolTips ? storedMask() | kToolTipsBit : storedMask() & kToolTipsOffMask;
    return qrl::write(qrl::settings::kPrintToolsOptions, static_cast<int>(mask));
}
