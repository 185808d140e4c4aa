#pragma once

#include <QString>
#include <QStringList>

namespace qrl {

// The program's own files: the settings file Quorlyn32.ini, the language catalogues, the help files,
// the printer tools' data file, the libraries and the companion programs' Tools/ folder. A build tree
// or a copied folder keeps them beside the program; an installed program finds them in the system's
// folders for each kind, reached from the program's folder (bin/) by relative paths, so that an
// installation can be moved as a whole.
enum class ProgramFileKind {
    Settings, // Quorlyn32.ini: beside the program, then share/quorlyn32/
    Data,     // read-only data (catalogues, help files, tool data): beside the program, then share/quorlyn32/
    Executables // the libraries and Tools/: beside the program, then the private library folder
};

// The folders searched for files of `kind`, first to last, each ending in '/': `programDirectory`
// (the program's folder, with or without its final '/') first, then the installed places beside it.
// An empty program directory gives no folder.
QStringList programFileFolders(const QString& programDirectory, ProgramFileKind kind);

// The path of `name` (which may hold a subfolder, "Tools/x/y") in the first folder that holds it;
// the path beside the program when none does. Only looks; trusting what it finds is the caller's.
QString findProgramFile(const QString& programDirectory, ProgramFileKind kind, const QString& name);

// The one rule for a program file that decides what the program does (the printer tools' data,
// beside the program or where it is installed): it may be read when it is a plain file of this
// user's or root's that neither its group nor others may write. Anyone else's file, or one others
// may change, would decide what the program does for this user.
//
// On the open file `fd` (the check that counts: the name may be swapped after a check).
bool isTrustedProgramFile(int fd);
// On the file at `path`, opened for the check (a link is judged by the file it leads to); false
// when it cannot be opened.
bool isTrustedProgramFile(const QString& path);

} // namespace qrl
