#pragma once

#include <QString>

namespace qrl {

// The one rule for a file that ships with the program (beside it or where it is installed), such
// as the printer tools' data: it may be read when it is a plain file of this user's or root's that
// neither its group nor others may write. Anyone else's file, or one others may change, would
// decide what the program does for this user.
//
// On the open file `fd` (the check that counts: the name may be swapped after a check).
bool isTrustedProgramFile(int fd);
// On the file at `path`, opened for the check (a link is judged by the file it leads to); false
// when it cannot be opened.
bool isTrustedProgramFile(const QString& path);

} // namespace qrl
