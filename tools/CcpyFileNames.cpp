#include "CcpyFileNames.h"

#include "TextFormat.h"

#include <QFileInfo>

namespace qrl::ccpy {

namespace {

QString inDirectory(const QString& directory, const QString& name)
{
    if (directory.isEmpty() || directory.endsWith(QLatin1Char('/')))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}

} // namespace

QString proposalDirectory(const QString& formsDirectory, const QString& projectDirectory)
{
    return formsDirectory.isEmpty() ? projectDirectory : formsDirectory;
}

bool isNameTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString proposeFileName(const QString& directory, bool enable)
{
    const QString numbered = QString::fromLatin1(enable ? "ccpy on%d.prn" : "ccpy off%d.prn");
    QString candidate = inDirectory(directory, QString::fromLatin1(enable ? "ccpy on.prn" : "ccpy off.prn"));
    for (int number = 2; number <= kLastNumber && isNameTaken(candidate); ++number)
        candidate = inDirectory(directory, qrl::formatText(numbered, {number}));
    return candidate;
}

} // namespace qrl::ccpy
