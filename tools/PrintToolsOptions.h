#pragma once

#include "SettingsKeys.h"

#include <cstdint>

// The printer tools' settings in the profile: the option mask "PrintToolsOptions" of section
// "Options" (bit 31: show tool tips) and the window placement of section "Print Tools". The mask
// is always read as stored, also after a version change.
struct PrintToolsOptions {
    static constexpr const char* kPlacementSection = qrl::settings::kPrintToolsSection;
    static constexpr std::uint32_t kDefaultMask =
        static_cast<std::uint32_t>(qrl::settings::kPrintToolsOptions.defaultValue);
    static constexpr std::uint32_t kToolTipsBit = 0x80000000u;
    // What is kept of the mask when the tool tips are switched off.
    static constexpr std::uint32_t kToolTipsOffMask = 0x0FFFFFFFu;

    bool toolTips = false;

    bool operator==(const PrintToolsOptions&) const = default;

    static PrintToolsOptions read();
    // Stores the mask: the tool tips bit set, or the stored mask ANDed with kToolTipsOffMask.
    static bool write(const PrintToolsOptions& options);
};
