#pragma once

#include "SettingsKeys.h"

#include <QString>

// The build dialog's values in the profile section "Build". The window placement is kept in the
// same section by CWinPlacement.
namespace qrl::build {

inline constexpr const char* kBuildSection = settings::kBuildSection;

struct BuildSettings {
    QString printer;                                                    // the printer chosen last
    int messageOptions = settings::kBuildMessageOptions.defaultValue;   // kept as read
    int writeProtection = settings::kBuildWriteProtection.defaultValue; // read only
    // Read only: the first state of "Tarnwick Printer".
    int tarnwick = settings::kBuildTarnwick.defaultValue;
};

// Reads the section; missing values give the defaults above.
BuildSettings LoadBuildSettings();
// Writes the values the dialog keeps: "Printer" and "BuildMsgOptions". False when the profile
// refused a write.
bool SaveBuildSettings(const BuildSettings& settings);

} // namespace qrl::build
