// The program's side of the one file writer (wholefile/WholeFile.h): paths as QString, and the
// text that tells the user why a write failed.
#pragma once

#include "WholeFile.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace qrl {

// The path as the file system spells it.
std::string nativePath(const QString& path);

// "The disk is full…" and its kind, naming `path`; or, when permission is refused for a file that
// is not there yet and its folder may not be written, naming that folder.
QString writeFailureText(WriteError error, const QString& path);

// Writes `bytes` as the whole content of `path` through the one writer. On failure `failure`
// (when given) receives writeFailureText() and the earlier file is unchanged.
bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* failure = nullptr);

} // namespace qrl
