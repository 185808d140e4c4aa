#pragma once

#include <QString>

namespace qrl {

// The three-letter suffix of a language id from the language table ("Deu" for 7), empty for an
// id outside it (0 and 9, English, are outside it too).
QString languageSuffix(int languageId);

// The catalogue of a language: "Qrlyn<suffix>.qm" in the program's directory, by full path.
// Empty when the id has no suffix.
QString languageCataloguePath(const QString& programDir, int languageId);

// The help file with a loaded catalogue: "Qrlyn<suffix>.html" beside the program.
QString languageHelpFilePath(const QString& programDir, int languageId);

// The help file without one: the program's path with ".html".
QString defaultHelpFilePath(const QString& programPath);

} // namespace qrl
