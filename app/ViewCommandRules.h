#pragma once

#include <optional>

// The project window's view modes and when its commands are enabled or checked. Plain rules, so
// the menus, the toolbar and the context menus all ask the same place.
namespace qrl::viewcommands {

// The list types as stored in "Settings" "ListStyle".
enum ViewMode : int { kLargeIcons = 0, kDetails = 1, kSmallIcons = 2, kList = 3 };
inline constexpr int kViewModeCount = 4;

// The stored mode; 0 (large icons) when none or an unknown one is stored.
int storedViewMode();
void storeViewMode(int mode);

// The mode a view-mode command (window menu 32788-32791, popup 32793-32796) chooses.
std::optional<int> modeOfCommand(int commandId);

// What the enabling of the commands looks at.
struct ViewState {
    bool hasSelection = false; // a row is selected
    bool hasItems = false;     // the project has items
    bool clipboardHasFiles = false;
    bool modified = false;
    int mode = kLargeIcons;
    // The desktop has a program for the first selected item's file. Only the item's context menu
    // asks the desktop; elsewhere Open stays enabled and offers a program to choose.
    bool openable = true;
};

// Whether a command of the project window is enabled in this state; false for ids that are not
// the project window's.
bool isEnabled(int commandId, const ViewState& state);
// Whether a command carries a check mark (the current view mode).
bool isChecked(int commandId, const ViewState& state);
// True for every command id the project window handles.
bool isViewCommand(int commandId);

} // namespace qrl::viewcommands
