#pragma once

#include <QString>

namespace qrl {

// The three-letter suffix of a language id from the language table ("Deu" for 7), empty for an
// id outside it (0 and 9, English, are outside it too).
QString languageSuffix(int languageId);

// The catalogue of a language: "Qrlyn<suffix>.qm" among the program's data files (beside the
// program, else where an installation keeps them; ProgramFiles.h), by full path: beside the program
// when neither holds it. Empty when the id has no suffix.
QString languageCataloguePath(const QString& programDir, int languageId);

// The help file with a loaded catalogue: "Qrlyn<suffix>.html", looked for alike.
QString languageHelpFilePath(const QString& programDir, int languageId);

// The help file without one: the program's file name with ".html", looked for alike.
QString defaultHelpFilePath(const QString& programPath);

} // namespace qrl
