#pragma once

#include <QString>
#include <QStringList>

// The program's command line: the project files to open, --help and --version. It is read before
// the application object needs a display, so that --help and --version work without one.
namespace qrl::cmdline {

struct CommandLine {
    // Run: start and open `files`. Exit: print `text` (on the standard output when `status` is 0,
    // else on the error output) and end with `status`.
    enum class Action { Run, Exit } action = Action::Run;
    int status = 0;
    QString text;
    // The project files named, as absolute paths, in order; also those after "--" and those whose
    // name begins with "-" there.
    QStringList files;
};

// The status of a command line that names an unknown option or lacks an option's value.
inline constexpr int kUsageStatus = 2;

// Reads `arguments` (the program's name first). `version` is the text --version prints after the
// program's name. The toolkit's own options (-platform, -style, ...) are let through with their
// values.
CommandLine parse(const QStringList& arguments, const QString& version);

} // namespace qrl::cmdline
