#include "EmcrSave.h"

#include "CcpyPageRules.h"
#include "StringTable.h"
#include "ToolFileWrite.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QDir>
#include <QFileInfo>

namespace qrl::emcr {

namespace {

constexpr int kFirstNumber = 2;
constexpr int kLastNumber = 99;

bool isTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString baseName(int id, const char* fixed)
{
    const QString text = qrl::text(id);
    return text.isEmpty() ? QString::fromLatin1(fixed) : text;
}

// One save dialog; the chosen path, or empty when cancelled.
QString askPath(int titleId, int filterId, const QString& directory, const QString& base)
{
    qrl::FileDialogRequest request;
    request.title = qrl::text(titleId);
    request.filter = qrl::text(filterId);
    request.directory = directory;
    request.fileName = proposedFileName(directory, base);
    request.defaultSuffix = QStringLiteral("prn");
    request.overwritePrompt = true;
    return qrl::ui().saveFileName(request).value_or(QString());
}

} // namespace

QString fileDirectory(const QString& formsDirectory, const QString& projectPath)
{
    QString directory = formsDirectory;
    if (directory.isEmpty() && !projectPath.isEmpty())
        directory = QFileInfo(projectPath).absolutePath();
    if (!directory.isEmpty() && !directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
}

QString proposedFileName(const QString& directory, const QString& base)
{
    const QString first = base + QStringLiteral(".prn");
    if (!isTaken(directory + first))
        return first;
    for (int number = kFirstNumber; number <= kLastNumber; ++number) {
        const QString name = base + QString::number(number) + QStringLiteral(".prn");
        if (!isTaken(directory + name))
            return name;
    }
    return base + QString::number(kLastNumber) + QStringLiteral(".prn");
}

QString enableBaseName()
{
    return baseName(qrl::ids::kEmcrEnableBase, "emcr on");
}

QString disableBaseName()
{
    return baseName(qrl::ids::kEmcrDisableBase, "emcr off");
}

SaveResult saveFiles(const EmcrCommandJob& job, const QString& directory)
{
    SaveResult result;
    if (assignedRowCount(job) == 0) {
        qrl::ui().message(qrl::text(qrl::ids::kEmcrNoAssignment), qrl::Buttons::Ok, qrl::Icon::Information);
        return result;
    }
    // Checked before any file is asked for, so a refusal never leaves an enable file behind.
    if (const TextError error = checkAssignments(job); error != TextError::None) {
        qrl::ui().message(qrl::text(messageOf(error)), qrl::Buttons::Ok, qrl::Icon::Warning);
        return result;
    }
    const QString enablePath =
        askPath(qrl::ids::kEmcrEnableTitle, qrl::ids::kEmcrEnableFilter, directory, enableBaseName());
    if (enablePath.isEmpty())
        return result;
    if (!WriteEmcrEnableFile(job, enablePath)) {
        result.outcome = SaveOutcome::Cancel;
        return result;
    }
    const QString disablePath =
        askPath(qrl::ids::kEmcrDisableTitle, qrl::ids::kEmcrDisableFilter, directory, disableBaseName());
    if (disablePath.isEmpty())
        return result;
    // Written over the enable file it would leave the project without it.
    if (qrl::toolfile::isSameFile(disablePath, enablePath)) {
        qrl::ui().message(qrl::text(qrl::ids::kDisableFileIsEnableFile), qrl::Buttons::Ok,
                          qrl::Icon::Warning);
        return result;
    }
    if (!WriteEmcrDisableFile(job, disablePath))
        return result;
    return {SaveOutcome::Written, enablePath, disablePath};
}

} // namespace qrl::emcr
