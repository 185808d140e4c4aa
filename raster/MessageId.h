// The string ids of the texts the generator shows, named by the program's list of texts
// (StringList.def). The texts themselves live in the calling program's string table; the library
// knows only their ids.
#pragma once

namespace pelmora {

// A string id of the program's list; kNoMessage for none.
using MessageId = int;
inline constexpr MessageId kNoMessage = 0;

} // namespace pelmora
