#pragma once

#include "ResourceTypes.h"

#include <QString>
#include <QStringList>

#include <functional>

class CQuorlyn32Doc;

// The project window's roads into a project: the files chosen in the add dialog, a pasted or
// dropped file list, and the two command files of the CCPY and EMCR creators. Each goes through
// CQuorlyn32Doc::AddFile and shows the refusals the document leaves to its caller. Whenever
// something was added, the list catches up (the tab of the last added item) and the project is
// marked modified before any later message, so a refusal part-way never hides what was added.
namespace qrl::addloop {

// Shows the list of one resource kind (the view's RefreshList).
using ShowKind = std::function<void(ResourceKind kind)>;

struct Result {
    int added = 0;
    ResourceKind lastKind = kKindNone; // the kind of the last item added
};

// The add dialog's files, in order: a path of a Windows shared folder shows message kSharedFolderRefused and
// ends the command, and so does the first refusal (after its message, if it has one). When chosen
// files remain after it, one message (kFilesNotAdded) then names the files from the refused one on.
Result addChosenFiles(CQuorlyn32Doc& doc, const QStringList& paths, const ShowKind& show);
// A pasted or dropped list: folders are skipped after message kCannotAddFolder, a shared-folder path shows
// kSharedFolderRefused and ends the list, a refused file is reported and the next one tried.
Result addFileList(CQuorlyn32Doc& doc, const QStringList& paths, const ShowKind& show);
// One dropped file; true when it was added.
bool addDroppedFile(CQuorlyn32Doc& doc, const QString& path, const ShowKind& show);
// The enable and the disable file a creator wrote. A file already in the project is no error; a
// capacity refusal ends the command after its message. The list ends on the forms tab.
Result addCreatorResults(CQuorlyn32Doc& doc, const QString& enablePath, const QString& disablePath,
                         const ShowKind& show);

// False, after message kCannotAddFolder, for a folder.
bool isNotFolder(const QString& path);

} // namespace qrl::addloop
