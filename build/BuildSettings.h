#pragma once

#include <QString>

// The build dialog's values in the profile section "Build". The window placement is kept in the
// same section by CWinPlacement.
namespace qrl::build {

inline constexpr const char* kBuildSection = "Build";

struct BuildSettings {
    QString printer;           // "Printer": the printer chosen last
    int messageOptions = 30;   // "BuildMsgOptions": kept as read
    int writeProtection = 1;   // "CFWriteProtection": read only
    int tarnwick = 0;          // "bTarnwick": read only, the first state of "Tarnwick Printer"
};

// Reads the section; missing values give the defaults above.
BuildSettings LoadBuildSettings();
// Writes the values the dialog keeps: "Printer" and "BuildMsgOptions". False when the profile
// refused a write.
bool SaveBuildSettings(const BuildSettings& settings);

} // namespace qrl::build
