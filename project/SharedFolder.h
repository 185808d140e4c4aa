#pragma once

#include <QString>

namespace qrl {

// A path on a Windows shared folder ("\\server\share\..."), which the program cannot use: every
// road that takes files from the user refuses it with message 3035. A single leading backslash is
// an ordinary path.
bool isSharedFolderPath(const QString& path);

} // namespace qrl
