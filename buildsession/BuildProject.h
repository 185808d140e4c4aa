#pragma once

#include "CProjSett.h"
#include "ItemRecord.h"
#include "ResourceTypes.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace qrl::build {

// One item of a project as the build sees it: a copy taken from the document when the build
// starts, so the build runs without the document and its windows.
struct BuildItem {
    QString path;      // the item's full path, for file access and messages
    ItemRecord record; // the item's record as the project stores it
    ResourceKind kind = kKindNone;
    // Writes a PCL macro's body into a ".par" file: the extension of the name passed in is replaced
    // by ".par", and the name then holds the file written. Shows its own message on failure. Only
    // PCL macros need it.
    std::function<bool(QString& fileName)> writeParFile;
};

// A project as the build sees it: the items in project order and the storage settings.
struct BuildProject {
    QString title;     // the document's title, as "demo.prj" or "Untitled"
    QString directory; // the folder of the project file; empty for a project never saved
    CProjSett settings;
    std::uint64_t totalBytes = 0; // the items' file sizes, for the capacity pane
    std::vector<BuildItem> items;
};

} // namespace qrl::build
