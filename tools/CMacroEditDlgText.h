#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace macroedit {

// The stored text of a custom macro as the editor shows it: one byte a character, CR LF (and a
// lone CR) shown as a line break.
QString editorText(const QByteArray& stored);

// The editor's text as it is stored and sent: every character as one byte, each line break as
// CR LF. Nothing when a character cannot be stored as one byte (it would reach the printer as
// another character).
std::optional<QByteArray> storedText(const QString& edited);

// Shown when storedText() refuses the text.
extern const char* const kNotStorableText;

} // namespace macroedit
