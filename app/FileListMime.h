#pragma once

#include <QStringList>

#include <memory>

class QMimeData;

// File lists on the clipboard and in drags: local files as "text/uri-list" (QMimeData's URLs),
// and the same list as "x-special/gnome-copied-files", which file managers paste from.
namespace qrl::filelist {

inline constexpr const char* kGnomeCopiedFiles = "x-special/gnome-copied-files";

// The data of a file list. The files are copied, never moved: a cut from a project leaves them
// where they are.
std::unique_ptr<QMimeData> mimeOf(const QStringList& paths);
// The local files of a list, in order; empty when the data holds none.
QStringList filesOf(const QMimeData* data);
bool hasFiles(const QMimeData* data);

} // namespace qrl::filelist
