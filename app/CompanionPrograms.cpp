#include "CompanionPrograms.h"

#include "AppTextIds.h"
#include "CQuorlyn32App.h"
#include "CommandIds.h"
#include "DesktopLauncher.h"
#include "ProgramFiles.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace qrl::companions {

namespace {

constexpr std::array<Companion, 7> kCompanions = {{
    {qrl::cmd::kFirstCompanion + 0, "FontEditor", "fonteditor", true},
    {qrl::cmd::kFirstCompanion + 1, "FormDesigner", "formdesigner", true},
    {qrl::cmd::kFirstCompanion + 2, "MacroViewer", "macroviewer", true},
    {qrl::cmd::kFirstCompanion + 3, "CardManager", "cardmanager", true},
    {qrl::cmd::kFirstCompanion + 4, "PrinterMonitor", "printermonitor", true},
    {qrl::cmd::kFirstCompanion + 5, "NetworkSetup", "networksetup", true},
    {qrl::cmd::kCompanionNoMenu, "FileViewer", "fileviewer", false},
}};

// Started by its bare name, so the system's program search finds it.
const char* const kBareNameProgram = "qrlupdate";

} // namespace

const Companion* find(int commandId)
{
    for (const Companion& c : kCompanions)
        if (c.commandId == commandId)
            return &c;
    return nullptr;
}

QList<int> menuCommands()
{
    QList<int> ids;
    for (int i = 0; i < qrl::cmd::kMenuCompanionCount; ++i)
        ids.append(qrl::cmd::kFirstCompanion + i);
    return ids;
}

Launch launchOf(const Companion& companion, const QString& programDirectory, const QString& argument)
{
    Launch launch;
    launch.program = qrl::findProgramFile(programDirectory, qrl::ProgramFileKind::Executables,
                                          QStringLiteral("Tools/") + QString::fromLatin1(companion.folder) +
                                              QLatin1Char('/') + QString::fromLatin1(companion.program));
    if (companion.argumentAlways || !argument.isEmpty())
        launch.arguments.append(argument);
    return launch;
}

void start(int commandId, const QString& argument)
{
    if (commandId == qrl::cmd::kCompanionByName) {
        desktopLauncher().startProgram(QString::fromLatin1(kBareNameProgram), {});
        return;
    }
    const Companion* companion = find(commandId);
    if (!companion)
        return;
    const Launch launch = launchOf(*companion, theApp().programDirectory(), argument);
    // Only the companions that come with the program are looked for: a start that the system
    // refuses stays silent.
    const QFileInfo file(launch.program);
    if (!file.isFile() || !file.isExecutable()) {
        const QString looked = QDir::toNativeSeparators(launch.program);
        qrl::ui().message(qrl::formatText(qrl::text(qrl::ids::kProgramNotInstalled), {looked}),
                          qrl::Buttons::Ok, qrl::Icon::Information);
        return;
    }
    desktopLauncher().startProgram(launch.program, launch.arguments);
}

} // namespace qrl::companions
