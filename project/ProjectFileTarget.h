#pragma once

#include "ResourceCheckMessages.h"

#include <QString>

class CProjSett;
struct ItemRecord;

// The project that a project file is read or imported into. The project document implements it;
// the readers change the project only through these members.
class ProjectFileTarget : public ResourceCheckMessages {
public:
    enum class AddResult {
        Added,   // the item is in the project
        Skipped, // the item was left out after its message (not found, refused); the load goes on
        Stop,    // the user cancelled the load
    };

    // The project's storage settings, which the readers fill.
    virtual CProjSett& settings() = 0;
    // The number of items the project holds.
    virtual int itemCount() const = 0;
    // Builds an item from a stored record (its macro-number verification off) and adds it through
    // the project's add road: file search, content check, duplicate, name clash, capacity.
    virtual AddResult addItemFromRecord(const ItemRecord& record) = 0;
    // The project's search for a resource file: the path itself, then the general resource
    // directory, then the directory of `subtype`. When found elsewhere `path` becomes the file
    // found (and the project is marked modified).
    virtual bool findResourceFile(QString& path, int subtype) = 0;
    // Switches the messages of showFileMessage off (0) or on (nonzero).
    virtual void setShowMessages(int show) = 0;
    // Marks the project as changed since it was read.
    virtual void markModified() = 0;
    // The project was imported from the older-format file `oldPath`: it is to stay untitled, so
    // that its first Save goes through Save As proposing that name and never overwrites the old
    // file without a question.
    virtual void projectImported(const QString& oldPath) = 0;
    // Shows the project's message that it holds the most items a project can have.
    virtual void showItemLimitMessage() = 0;
};
