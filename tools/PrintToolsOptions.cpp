#include "PrintToolsOptions.h"

#include "Profile.h"

namespace {

std::uint32_t storedMask()
{
    return static_cast<std::uint32_t>(qrl::profile().getInt(QString::fromLatin1(PrintToolsOptions::kSection),
                                                            QString::fromLatin1(PrintToolsOptions::kValueName),
                                                            static_cast<int>(PrintToolsOptions::kDefaultMask)));
}

} // namespace

PrintToolsOptions PrintToolsOptions::read()
{
    return {(storedMask() & kToolTipsBit) != 0};
}

bool PrintToolsOptions::write(const PrintToolsOptions& options)
{
    const std::uint32_t mask = options.toolTips ? storedMask() | kToolTipsBit : storedMask() & kToolTipsOffMask;
    return qrl::profile().setInt(QString::fromLatin1(kSection), QString::fromLatin1(kValueName),
                                 static_cast<int>(mask));
}
