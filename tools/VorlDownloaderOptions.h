#pragma once

// The option value "VorlDownloaderOptions" of section "Options", which the font downloader reads
// when it opens and the downloader options page edits.
#include "SettingsKeys.h"

namespace qrl::vorloptions {

// The downloader shows its "Modify target directory name" button.
inline constexpr int kAllowModifyTarget = 0x2;
// "Print font list" sends the printer language's font list; clear: the PostScript file list.
inline constexpr int kFlstFontList = 0x4;

// The stored value (the default when none is stored).
int read();
// Writes the value; false when the profile cannot be written.
bool write(int value);

// The page's two choices: fontListMethod 0 is the printer-language list, 1 the PostScript one.
struct PageChoice {
    int allowModifyTarget = 0;
    int fontListMethod = 0;
};
PageChoice choiceFromValue(int value);
// Only the two meaningful bits; every other bit is written as 0.
int valueFromChoice(const PageChoice& choice);

} // namespace qrl::vorloptions
