#include "CAboutDlgFiles.h"

#include "ProgramFiles.h"
#include "VersionInfo.h"

#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace qrl::about {

namespace {

// The engine and raster libraries, the help file and the notes, after the program's own row.
constexpr const char* kEngineLibrary = "libvintrel.so";
constexpr const char* kRasterLibrary = "libpelmora.so";
constexpr const char* kReadme = "readme.txt";

FileRow rowFor(const QString& path, const QString& directory)
{
    FileRow row;
    const QFileInfo info(path);
    row.fileName = info.fileName();
    if (info.exists() && info.isFile()) {
        row.date = dateText(info.lastModified());
        row.size = QString::number(info.size());
        row.path = directory;
    }
    return row;
}

} // namespace

QString dateText(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4d/%.2d/%.2d - %.2d:%.2d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute());
    return QString::fromLatin1(buffer);
}

std::vector<FileRow> fileRows(const Sources& sources)
{
    std::vector<FileRow> rows;
    FileRow program = rowFor(sources.programPath, sources.programDirectory);
    program.version = sources.programVersion;
    rows.push_back(program);

    const QString helpName = QFileInfo(sources.helpFilePath).fileName();
    using Kind = qrl::ProgramFileKind;
    const std::pair<QString, Kind> files[] = {{QString::fromLatin1(kEngineLibrary), Kind::Executables},
                                              {QString::fromLatin1(kRasterLibrary), Kind::Executables},
                                              {helpName, Kind::Data},
                                              {QString::fromLatin1(kReadme), Kind::Data}};
    for (const auto& [name, kind] : files) {
        // An installed program keeps its libraries and data apart from itself; the folder column
        // shows where each was found.
        const QString path = qrl::findProgramFile(sources.programDirectory, kind, name);
        FileRow row = rowFor(path, QFileInfo(path).path() + QLatin1Char('/'));
        row.fileName = name;
        qrl::VersionRecord record;
        if (!name.isEmpty() && qrl::readVersionRecord(path, record))
            row.version = qrl::versionText(record.file);
        rows.push_back(row);
    }
    return rows;
}

OpenKind openKind(const FileRow& row)
{
    if (row.fileName.isEmpty() || row.path.isEmpty())
        return OpenKind::None;
    const QString tail = row.fileName.right(4).toUpper();
    if (tail == QLatin1String(".TXT"))
        return OpenKind::Text;
    // The program's help file is HTML; ".chm" rows still open for a help file named so by hand.
    if (tail == QLatin1String(".CHM") || row.fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return OpenKind::Help;
    return OpenKind::None;
}

QString fullPath(const FileRow& row)
{
    // The folder column already ends in a separator; a second one is not added.
    if (row.path.endsWith(QLatin1Char('/')))
        return row.path + row.fileName;
    return row.path + QLatin1Char('/') + row.fileName;
}

int fold(WindowPlacement& placement, int detailsView)
{
    const int height = placement.bottom - placement.top;
    if (detailsView == 1) {
        placement.bottom = placement.top + height / 2;
        return 0;
    }
    placement.bottom = 2 * placement.bottom - placement.top;
    return 1;
}

} // namespace qrl::about
