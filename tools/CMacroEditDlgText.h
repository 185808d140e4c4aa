#pragma once

#include "PlatformTextIds.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace qrl::macroedit {

// The stored text of a custom macro as the editor shows it: one byte a character, CR LF (and a
// lone CR) shown as a line break.
QString editorText(const QByteArray& stored);

// The editor's text as it is stored and sent: every character as one byte, each line break as
// CR LF: Latin-1, as every text the tools send. Nothing when a character has no Latin-1 byte (it
// would reach the printer as another character); qrl::ids::kNotLatin1 is the message for it.
std::optional<QByteArray> storedText(const QString& edited);

} // namespace qrl::macroedit
