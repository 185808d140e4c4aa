#pragma once

#include <QString>

// One mapping of the extension map.
struct FileMapEntry {
    QString typeWord;    // "FONT", "MACRO", "FORM" or "DATA" (the profile may hold others)
    QString extension;   // without the dot
    QString description; // one of the nine type names, or the user's own text
    int row = 0;
};
