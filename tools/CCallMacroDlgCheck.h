#pragma once

#include "CallMacroCommand.h"
#include "PlatformTextIds.h"

namespace qrl::callmacro {

// The largest repeat count the printer's CALL command takes.
inline constexpr int kMaxRepeatCount = 32767;

// Checks the values of the call-macro dialog before they are taken: 0 when they may be, else
// the id of the message to show: kNotANumber for a repeat count that is not all digits, kRepeatCountRange for
// one above kMaxRepeatCount, qrl::ids::kNotLatin1 for a name or parameter that holds a character with no
// single byte, kMacroNameNotAcceptable for a name that cannot stand bare in the command (a quote,
// ';', ',', a blank or a control byte), kParametersNotAcceptable for a parameter with a ';' or a
// control byte or that leaves a string open as the printer reads it. An empty macro name is
// taken; it is reported when the tools are sent.
int checkCallMacroParams(const CallMacroParams& params);

} // namespace qrl::callmacro
