#pragma once

#include <QString>

// Opening an item's file from the project window (Open, Enter, a double click): in the desktop's
// program for its type; when the desktop knows none, in a program the user chooses ("Open With",
// from the applications folder), started with the file as its argument. Each step is logged at
// log level 1. A failure only logs.
namespace qrl::itemopener {

// Where "Open With" lets the user choose a program.
inline constexpr const char* kApplicationsFolder = "/usr/bin";

void openItemFile(const QString& path);

} // namespace qrl::itemopener
