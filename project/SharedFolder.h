#pragma once

#include <QString>

namespace qrl {

// A path that begins with a backslash, as a Windows shared folder does ("\\server\share\..."),
// which the program cannot use: every road that takes files from the user refuses it with message
// 3035.
bool isSharedFolderPath(const QString& path);

} // namespace qrl
