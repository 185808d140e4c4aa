#pragma once

#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFileTarget.h"

#include <QStringList>

#include <functional>
#include <vector>

// A project for the project file readers and the content checks: it keeps what it is given and
// shows its messages through qrl::ui() as the document does (quiet ones are kept in `suppressed`).
class ProjectFileFakeTarget : public ProjectFileTarget {
public:
    CProjSett projectSettings;
    std::vector<ItemRecord> added;
    std::vector<ItemRecord> offered;
    // Decides each offered record; by default every record is added.
    std::function<AddResult(const ItemRecord&)> decide;
    // Directories searched after the path itself, like the document's resource directories.
    QStringList searchDirectories;
    bool searchFiles = true; // false: no file is ever found
    QString everyFileIs;     // when set, every search finds this file (the fuzz harness)
    QStringList searched;
    QStringList suppressed;
    int showMessages = 1;
    bool modified = false;
    QString importedFrom;
    int limitMessages = 0;

    qrl::Answer showFileMessage(int formatId, int errorId, int hintId, const QString& file,
                                qrl::Buttons buttons) override;
    void showFileError(int formatId, int errorId, int hintId, const QString& file) override;
    CProjSett& settings() override { return projectSettings; }
    int itemCount() const override { return static_cast<int>(added.size()); }
    AddResult addItemFromRecord(const ItemRecord& record) override;
    bool findResourceFile(QString& path, int subtype) override;
    void setShowMessages(int show) override { showMessages = show; }
    void markModified() override { modified = true; }
    void projectImported(const QString& oldPath) override { importedFrom = oldPath; }
    void showItemLimitMessage() override { ++limitMessages; }
};

// The text of a three-part file message as the user sees it.
QString expectedFileMessage(int formatId, int errorId, int hintId, const QString& file);
