#pragma once

#include "pelmora.h"

namespace qrl {

// The host record the program lends the raster library: its message texts come from the
// program's string table (qrl::text) and its boxes go through qrl::ui(), so they are scripted in
// tests like every other box. Valid for the whole run; used on the user-interface thread only.
const PelmoraHost* pelmoraHost();

} // namespace qrl
