#pragma once

#include "ProjectSettingsForm.h"

namespace qrl::test {

// A form as the dialog would hold it.
inline ProjectSettingsForm settingsForm(StorageMedium medium, int sizeIndex, int unit, const char* text,
                                        std::uint64_t projectBytes, MediaOffer mode = MediaOffer::All)
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
