#pragma once

// The comment-line mask of the CCPY creator, kept as one value, "CcpyOptions" in profile section
// "Options".
#include "CommentMask.h"

namespace qrl::ccpy::options {

using enum qrl::commentmask::Bit;
using Store = qrl::commentmask::Store<qrl::settings::kCcpyOptions>;
inline constexpr auto storedMask = &Store::storedMask;
inline constexpr auto storeMask = &Store::storeMask;
inline constexpr auto creatorMask = &Store::creatorMask;

} // namespace qrl::ccpy::options
