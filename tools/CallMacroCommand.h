#pragma once

#include "PlatformTextIds.h"

#include <QByteArray>
#include <QString>

// The three values of the "CALL macro" tool, kept in the tool data file.
struct CallMacroParams {
    QString macroName;
    QString parameter;
    QString repeatCount;

    bool operator==(const CallMacroParams&) const = default;
};

// Why a CALL command could not be built.
enum class CallMacroProblem {
    None,
    NoName,    // the macro name is empty
    NotLatin1, // a value holds a character that has no Latin-1 byte
    BadName,   // the name holds a blank, a control byte or one of , ; ' "
    BadValues, // a repeat count that is not all digits, or a parameter with ";", a control
               // byte or an unpaired quote
    TooLong,   // the command would be longer than one printer command may be
};

// The longest printer command.
inline constexpr qsizetype kMaxCommandBytes = 255;

// Whether a parameter value can stand in the command as typed: no ';' or control byte, and no
// string left open as the printer reads it (qrl::printertext::readQuotes).
bool acceptableCallParameter(const QByteArray& parameter);

// "!R! CALL " [repeat " "] name [", " parameter " "] "; EXIT;" (Latin-1 bytes, no line end), so
// name ABCD, parameter 1 and repeat count 2 give "!R! CALL 2 ABCD, 1 ; EXIT;". The values are
// checked first so that no user text can end the command early, open a string the printer
// never closes, or make the command longer than kMaxCommandBytes. `command` is set only on None.
CallMacroProblem buildCallMacroCommand(const CallMacroParams& params, QByteArray& command);

// The same, showing the reason in a message box when the command cannot be built (string kNoCallMacroName
// for a missing name, qrl::ids::kNotLatin1 for a character the printer cannot be sent).
bool BuildCallMacroCommand(const CallMacroParams& params, QByteArray& command);
