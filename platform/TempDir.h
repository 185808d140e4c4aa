#pragma once

#include <QString>

namespace qrl {

// The run's private temporary directory (mode 0700, made with mkdtemp under $TMPDIR or /tmp),
// created on first use. Empty when it cannot be made. Whatever is left of it is removed when the
// process that made it exits normally.
QString runTempDir();
// Removes the run's directory with everything in it (at shutdown).
void removeRunTempDir();
// A new private directory inside the run's directory, for one job (a build, a download); empty on
// failure. The caller removes it.
QString makeJobDir(const QString& prefix);

} // namespace qrl
