#pragma once

// Which comment lines ("CMNT") the EMCR creator writes: one bit mask in the profile value
// "Options" / "EmcrOptions", shared by the options page and the creator.
#include "SettingsKeys.h"

namespace emcr::options {

inline constexpr int kEnableVersion = 0x02;
inline constexpr int kEnableTime = 0x04;
inline constexpr int kEnableExplanation = 0x08;
inline constexpr int kDisableVersion = 0x10;
inline constexpr int kDisableTime = 0x20;
inline constexpr int kDisableExplanation = 0x40;
inline constexpr int kUsedBits = 0x7E;
// Every comment line is written until the user chooses.
inline constexpr int kDefaultMask = qrl::settings::kEmcrOptions.defaultValue;
static_assert(kDefaultMask == kUsedBits);

// The mask as stored (default 126), as the options page shows it.
int storedMask();
// Stores the mask without the bits that mean nothing; false when the profile refused the write.
bool storeMask(int mask);
// The mask the creator writes with: the default while the program's version has changed since
// the last run, else the stored one.
int creatorMask();

} // namespace emcr::options
