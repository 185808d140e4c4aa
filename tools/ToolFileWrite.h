// The printer tools and command-file creators write every file the user keeps through the one
// writer; this is where they tell the user why a file was not written.
#pragma once

#include "FileSave.h"

#include <QByteArray>
#include <QString>

namespace qrl::toolfile {

// Shows why the write of `path` failed (qrl::writeFailureText) in a warning box.
void showWriteFailure(qrl::WriteError error, const QString& path);

// Writes `bytes` as the whole content of `path` through the one writer. On failure the earlier
// file is unchanged, the reason is shown and false comes back; `error` (when given) receives it.
bool writeFile(const QString& path, const QByteArray& bytes, qrl::WriteError* error = nullptr);

// Whether two paths name one file: the same file through links, or the same path once cleaned
// (for a file that does not exist yet).
bool isSameFile(const QString& a, const QString& b);

} // namespace qrl::toolfile
