#pragma once

// The comment-line mask of the EMCR creator, kept as one value, "EmcrOptions" in profile section
// "Options".
#include "CommentMask.h"

namespace qrl::emcr::options {

using enum qrl::commentmask::Bit;
using Store = qrl::commentmask::Store<qrl::settings::kEmcrOptions>;
inline constexpr auto storedMask = &Store::storedMask;
inline constexpr auto storeMask = &Store::storeMask;
inline constexpr auto creatorMask = &Store::creatorMask;

} // namespace qrl::emcr::options
