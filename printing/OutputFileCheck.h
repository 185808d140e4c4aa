// The proof, made when an output file is chosen, that the build will be able to write it.
#pragma once

#include "WholeFile.h"

#include <QString>

namespace qrl::printing {

// Whether a file can be written at `path`, leaving whatever is there as it was: for a regular or
// a new file a scratch file is started beside it (beside a link's target) and dropped again; a
// device or a pipe is only checked for write access, as opening one may start a job or wait for
// a reader. False, with `error` set, when it cannot be written.
bool canWriteOutput(const QString& path, qrl::WriteError& error);

} // namespace qrl::printing
