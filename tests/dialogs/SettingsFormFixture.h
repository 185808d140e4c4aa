#pragma once

#include "ProjectSettingsForm.h"

namespace qrl::test {

// A form as the dialog would hold it.
inline ProjectSettingsForm settingsForm(int medium, int sizeIndex, int unit, const char* text,
                                        std::uint64_t projectBytes, int mode = kAllMedia)
{
    ProjectSettingsForm f;
    f.medium = medium;
    f.sizeIndex = sizeIndex;
    f.unit = unit;
    f.customSizeText = QString::fromUtf8(text);
    f.projectBytes = projectBytes;
    f.mode = mode;
    return f;
}

} // namespace qrl::test
