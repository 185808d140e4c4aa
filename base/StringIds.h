#pragma once

// The one name of every string id, made from the program's list of texts (StringList.def). Plain
// C++, so that the toolkit-free libraries name the ids they hand to the program the same way.
namespace qrl::ids {

#define QRL_STRING(id, name, text) inline constexpr int name = id;
#include "StringList.def"
#undef QRL_STRING

} // namespace qrl::ids
