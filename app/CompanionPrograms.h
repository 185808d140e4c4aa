#pragma once

#include <QString>
#include <QStringList>

// The companion programs: each lives in its own folder under the program directory's "Tools/"
// and is started with one argument (empty from every menu), through an argument list.
namespace qrl::companions {

struct Companion {
    int commandId; // also the string id of its menu text
    const char* folder;
    const char* program;
    bool argumentAlways; // false: an empty argument is left out instead of passed as ""
};

// The companion of a command id, or nullptr.
const Companion* find(int commandId);
// The companions that stand in the menus, in menu order.
QList<int> menuCommands();

struct Launch {
    QString program;
    QStringList arguments;
};
// The program path and arguments of a companion: "Tools/" + folder + "/" + program in the first of
// the program's folders that holds it (beside the program, else the installed private folder; see
// ProgramFiles.h), beside the program when none does.
Launch launchOf(const Companion& companion, const QString& programDirectory, const QString& argument);

// Starts the companion of `commandId` from the application's program directory; the companion
// started by its bare name is searched on the path. A companion missing from "Tools/" is told
// with the path looked for; a start that fails otherwise shows nothing.
void start(int commandId, const QString& argument = {});

} // namespace qrl::companions
