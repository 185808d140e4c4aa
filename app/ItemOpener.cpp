#include "ItemOpener.h"

#include "AppTextIds.h"
#include "CQuorlyn32App.h"
#include "DesktopLauncher.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

namespace qrl::itemopener {

namespace {

void logLine(const QString& format, std::initializer_list<qrl::FormatArg> args)
{
    CQuorlyn32App& app = theApp();
    if (app.logs(1))
        app.logText(1, qrl::formatText(format, args) + QStringLiteral("\r\n"));
}

// The number the log gives for a start: 1 when it went through, 0 when not.
int resultNumber(bool started)
{
    return started ? 1 : 0;
}

void openWithChosenProgram(const QString& path)
{
    const QString folder = QString::fromLatin1(kApplicationsFolder);
    logLine(QStringLiteral("None Registered Viewer available!"), {});
    logLine(QStringLiteral("Ssytem Directory is: %s"), {folder});
    qrl::FileDialogRequest request;
    request.title = qrl::text(qrl::ids::kOpenWithTitle);
    request.directory = folder;
    request.mustExist = true;
    const std::optional<QString> program = qrl::ui().openFileName(request);
    if (!program)
        return;
    const bool started = desktopLauncher().startProgram(*program, {path});
    logLine(QStringLiteral("Returned instance: %d ShellExecute Open With ..params  %s"),
            {resultNumber(started), path});
}

} // namespace

void openItemFile(const QString& path)
{
    DesktopLauncher& launcher = desktopLauncher();
    const QString viewer = launcher.registeredViewer(path);
    if (viewer.isEmpty()) {
        openWithChosenProgram(path);
        return;
    }
    logLine(QStringLiteral("Registered viewer is: %s"), {viewer});
    logLine(QStringLiteral("Calling Shell Execute with open for: %s"), {path});
    const bool opened = launcher.openWithDesktop(path);
    logLine(QStringLiteral("Returned instance: %d Shell Execute with open for: %s"),
            {resultNumber(opened), path});
    if (!opened)
        logLine(QStringLiteral("File  %s could not be opened by viewer %s. ShellExecute returned = %d"),
                {path, viewer, resultNumber(opened)});
}

} // namespace qrl::itemopener
