#pragma once

#include "WindowPlacement.h"

#include <QString>

// Keeps a window's placement in the profile: value "WinPlacement" of the window's own section, as
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" (flags, show command, minimised x y, maximised x y, normal left
// top right bottom).
class CWinPlacement {
public:
    static constexpr const char* kValueName = "WinPlacement";
    static constexpr const char* kResetText = "0,1,-1,-1,-1,-1,-1,-1,-1,-1";

    // False (output unchanged) for a missing or empty value, fewer than ten numbers, or an empty
    // normal rectangle (the reset text among them). A show command other than normal or maximised
    // is read as normal, so a stored placement never restores a hidden or minimised window.
    bool LoadWindowPlacement(const QString& section, qrl::WindowPlacement& placement) const;
    bool SaveWindowPlacement(const QString& section, const qrl::WindowPlacement& placement) const;

    static QString placementText(const qrl::WindowPlacement& placement);
    static bool parsePlacementText(const QString& text, qrl::WindowPlacement& placement);
};
