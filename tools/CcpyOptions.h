#pragma once

// The option mask of the CCPY creator: which comment lines its command files carry. Kept as one
// value, "CcpyOptions" in profile section "Options".
#include "SettingsKeys.h"

namespace ccpy {

enum OptionBit : int {
    kEnableVersion = 0x02,  // enable file: the program's version
    kEnableTime = 0x04,     // enable file: the creation time
    kExplain = 0x08,        // enable file, page macros and command: explanations
    kDisableVersion = 0x10, // disable file: the program's version
    kDisableTime = 0x20,    // disable file: the creation time
    kDisableExplain = 0x40, // disable file: the explanation
};

inline constexpr int kUsedOptionBits = 0x7E;
inline constexpr int kDefaultOptions = qrl::settings::kCcpyOptions.defaultValue;

// The stored mask as it stands (default 126), whatever the version-changed flag says.
int storedOptions();
// Stores the mask with the unused bits cleared; false when the profile refused the write.
bool storeOptions(int mask);
// The mask the creator uses: 126 while the program's version changed, else the stored one.
int creatorOptions();

} // namespace ccpy
