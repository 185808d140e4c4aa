#pragma once

// Which comment lines ("CMNT") a command-file creator writes into its enable and disable files: one
// bit mask per creator, each in its own profile value, shared by its options page and the creator.
#include "SettingsKeys.h"

namespace qrl::commentmask {

enum Bit : int {
    kEnableVersion = 0x02,      // enable file: the program's version
    kEnableTime = 0x04,         // enable file: the creation time
    kEnableExplanation = 0x08,  // enable file (and what it defines): explanations
    kDisableVersion = 0x10,     // disable file: the program's version
    kDisableTime = 0x20,        // disable file: the creation time
    kDisableExplanation = 0x40, // disable file: the explanation
};

inline constexpr int kUsedBits = 0x7E;

// The mask of one creator, kept in `kSetting`. Every comment line is written until the user chooses.
template <const qrl::settings::IntSetting& kSetting>
struct Store {
    static_assert(kSetting.defaultValue == kUsedBits);
    static constexpr int kDefaultMask = kSetting.defaultValue;

    // The mask as stored (default 126), whatever the version-changed flag says, as the options page
    // shows it.
    static int storedMask();
    // Stores the mask without the bits that mean nothing; false when the profile refused the write.
    static bool storeMask(int mask);
    // The mask the creator writes with: the default while the program's version has changed since
    // the last run, else the stored one.
    static int creatorMask();
};

} // namespace qrl::commentmask
