#pragma once

#include <QString>

namespace qrl {

// The run's private temporary directory (mode 0700, made with mkdtemp under $TMPDIR or /tmp as
// "Quorlyn32-<pid>-XXXXXX"), created on first use. The run holds it open and locked (flock) while
// it lives, so that a later run can tell a directory of a run that has ended from one in use.
//
// Every use checks the directory held open: it must still be this user's own, of mode 0700, and
// its name must still lead to it. A directory exchanged or changed meanwhile (in a TMPDIR others
// may write, another user can rename it and put their own in its place) is never used: that use
// fails (empty answer) with a message; the next use makes a new directory. A directory that is
// simply gone is made anew.
//
// Making the first directory of a process also removes the directories of this user's earlier
// runs that have ended (killed, say) under the same parent; those of runs still going, and any of
// other users, stay.
QString runTempDir();
// Removes the run's directory with everything in it (at shutdown; also at exit of the process that
// made it). Only what the directory held open contains is removed, never what its name leads to
// when that is another directory. A forked child only forgets its parent's directory.
void removeRunTempDir();
// A new private directory inside the run's directory, for one job (a build, a download); empty on
// failure. It is made inside the directory held open and its path checked to lead there. The
// caller removes it.
QString makeJobDir(const QString& prefix);
// True when `path`, made by makeJobDir, still stands in the run's directory as it was made, and the
// run's directory is still the run's own (checked as runTempDir does). A job that keeps its
// directory between steps asks before each step.
bool jobDirStands(const QString& path);

} // namespace qrl
