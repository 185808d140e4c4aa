#include "ProjectFileFakeTarget.h"

#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QFileInfo>

QString expectedFileMessage(int formatId, int errorId, int hintId, const QString& file)
{
    return qrl::formatText(qrl::text(formatId), {file, qrl::text(errorId), qrl::text(hintId)});
}

qrl::Answer ProjectFileFakeTarget::showFileMessage(int formatId, int errorId, int hintId, const QString& file,
                                                   qrl::Buttons buttons)
{
    const QString text = expectedFileMessage(formatId, errorId, hintId, file);
    if (!showMessages) {
        suppressed.append(text);
        return qrl::Answer::Ok;
    }
    return qrl::ui().message(text, buttons);
}

void ProjectFileFakeTarget::showFileError(int formatId, int errorId, int hintId, const QString& file)
{
    qrl::ui().message(expectedFileMessage(formatId, errorId, hintId, file));
}

ProjectFileTarget::AddResult ProjectFileFakeTarget::addItemFromRecord(const ItemRecord& record)
{
    offered.push_back(record);
    const AddResult result = decide ? decide(record) : AddResult::Added;
    if (result == AddResult::Added)
        added.push_back(record);
    return result;
}

bool ProjectFileFakeTarget::findResourceFile(QString& path, int)
{
    searched.append(path);
    if (!everyFileIs.isEmpty()) {
        path = everyFileIs;
        return true;
    }
    if (!searchFiles)
        return false;
    if (QFileInfo(path).isFile())
        return true;
    // Older projects were written on systems with either separator.
    const QString name = path.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    for (const QString& dir : searchDirectories) {
        const QString candidate = dir + QLatin1Char('/') + name;
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            modified = true;
            return true;
        }
    }
    return false;
}
