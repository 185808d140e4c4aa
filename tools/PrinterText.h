#pragma once

#include "StringIds.h"

#include <QString>

#include <algorithm>

// Texts the printer tools send are Latin-1, one byte a character, whichever tool they come from:
// the printer reads every byte as one character, so the same letter must be the same byte.
namespace printertext {

// Whether every character of `text` has a Latin-1 byte (QString::toLatin1() would make any other
// a "?"); qrl::ids::kNotLatin1 is the message when one has none.
inline bool isLatin1(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace printertext
