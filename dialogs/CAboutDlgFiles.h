#pragma once

#include "SettingsKeys.h"
#include "WindowPlacement.h"

#include <QDateTime>
#include <QString>

#include <vector>

// The About box's logic, kept apart from its widgets: the rows of its file list, the folding of
// its lower half and which rows a double click opens.
namespace qrl::about {

inline constexpr const char* kSection = settings::kAboutSection;

// The five columns of the file list with their stored widths.
struct Column {
    const char* title;
    settings::IntSetting width;
};
inline constexpr Column kColumns[] = {
    {"Filename", settings::kAboutFileNameWidth}, {"Version", settings::kAboutFileVersionWidth},
    {"Date", settings::kAboutFileDateWidth},     {"Size (bytes)", settings::kAboutFileSizeWidth},
    {"Path", settings::kAboutFilePathWidth},
};

// What the list shows about the program; filled from the application object.
struct Sources {
    QString programPath;      // the running program's file
    QString programDirectory; // its folder, ending in '/'
    QString programVersion;   // the program's file version text
    QString helpFilePath;     // the application's help file
};

struct FileRow {
    QString fileName;
    QString version;
    QString date;
    QString size;
    QString path;
};

// "%.4d/%.2d/%.2d - %.2d:%.2d" of a local time.
QString dateText(const QDateTime& time);

// The rows in order: the program, the engine and raster libraries, the help file, "readme.txt".
// Rows after the first are looked up in the program's folder. A file whose status cannot be read
// keeps an empty date, size and path; a file without a version record an empty version.
std::vector<FileRow> fileRows(const Sources& sources);

enum class OpenKind { None, Help, Text };

// What a double click on a row does: a ".txt" row is shown in a text viewer, a help row (".html" or
// ".chm") is opened by the desktop; nothing for other rows or rows without a path (missing files).
OpenKind openKind(const FileRow& row);
// The row's full path (its folder and its name).
QString fullPath(const FileRow& row);

// Folds the lower half in (details view 1: the bottom moves to the top plus half the height,
// truncated) or out (details view 0: the height doubles). Returns the new details view.
int fold(WindowPlacement& placement, int detailsView);

} // namespace qrl::about
