// The command texts the three macro kinds are made of. Each kind puts them in its own order.
#pragma once

#include "MacroRequest.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelmora::macro {

inline constexpr std::string_view kBegin = "!R!MCRO ";
inline constexpr std::string_view kResetGraphics = ";SCG;SCF;SCU;SCP;SCCS;SRO1";
inline constexpr std::string_view kRasterEnd = "ENDR;RPCS;RPP;RPU;RPF;RPG;ENDM;EXIT;";

// ";SPO P", ";SPO L", or nothing without an orientation.
std::string orientation(const MacroRequest& request);
// ";STR" and `separator` and the resolution, or nothing when the resolution is exactly "Default".
std::string resolution(const MacroRequest& request, std::string_view separator);
// ";UNIT " and the unit's first character (nothing after the blank when the unit is empty).
std::string unit(const MacroRequest& request);
bool hasPosition(const MacroRequest& request);
// ";MZP " X "," Y, an empty coordinate written as "0"; nothing when both are empty.
std::string position(const MacroRequest& request);
// The opening of a BMP macro: the name, orientation, graphics reset, resolution (";STR" and
// resolutionSeparator), unit and position, then rasterBegin.
std::string bitmapHeader(const MacroRequest& request, std::string_view resolutionSeparator,
                         std::string_view rasterBegin);
// The decimal digits of n, whatever the locale.
std::string decimal(std::uint64_t n);

} // namespace pelmora::macro
