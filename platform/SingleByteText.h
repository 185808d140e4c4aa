#pragma once

#include "PlatformTextIds.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one rule for the texts this program writes for the printer's side: item names and other
// texts of a project file, the tool data file, the command files and every printer command are
// stored and sent as single bytes, the Latin-1 byte of each character, and their lengths are
// counted in those bytes. A character without such a byte is refused where it is typed (message
// qrl::ids::kNotLatin1). UTF-8 is for the desktop only: file paths and the settings file.
namespace qrl::singlebyte {

// Whether every character of `text` has a single byte.
bool fits(QStringView text);
// The position of the first character without a single byte, or -1.
qsizetype firstUnfit(QStringView text);
// The single bytes of `text`. A character without one (only in texts not typed by the user, such
// as a file name a name is derived from) becomes kNoByte, never a byte of another character.
QByteArray toBytes(QStringView text);
inline constexpr char kNoByte = '_';
// The text of single bytes.
QString fromBytes(QByteArrayView bytes);

// The text of bytes stored by this program, also by an earlier build that wrote names as UTF-8.
// See the definition for when bytes are taken as such UTF-8.
QString fromStored(QByteArrayView bytes);
// The stored bytes in today's single-byte form.
QByteArray normalised(QByteArrayView stored);

} // namespace qrl::singlebyte
