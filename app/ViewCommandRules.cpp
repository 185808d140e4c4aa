#include "ViewCommandRules.h"

#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "SettingsKeys.h"

#include <array>

namespace viewcommands {

namespace {

static_assert(qrl::settings::kListStyle.defaultValue == kLargeIcons,
              "a list style never stored shows large icons");

// The window menu's mode commands and the popup's, both in the order of the modes' positions
// in a popup: large icons, small icons, list, details.
constexpr std::array<int, kViewModeCount> kMenuModes = {cmd::kLargeIcons, cmd::kSmallIcons, cmd::kList,
                                                        cmd::kDetails};
constexpr std::array<int, kViewModeCount> kPopupModes = {cmd::kPopupLargeIcons, cmd::kPopupSmallIcons,
                                                         cmd::kPopupList, cmd::kPopupDetails};
constexpr std::array<int, kViewModeCount> kModeOfPosition = {kLargeIcons, kSmallIcons, kList, kDetails};

// Commands that are there whenever a project window is.
constexpr std::array<int, 10> kAlwaysEnabled = {
    cmd::kAddResource,     cmd::kAddResourceHere, cmd::kListProjectSettings, cmd::kListBuild,
    cmd::kPrinterTools,    cmd::kCcpyCreator,     cmd::kEmcrCreator,         cmd::kFontDownloader,
    cmd::kCompanionByName, cmd::kCompanionNoMenu,
};

// Commands that work on the selected rows.
constexpr std::array<int, 9> kOnSelection = {
    cmd::kProperties, cmd::kEditCopy,   cmd::kEditCut,        cmd::kDeleteItems, cmd::kCopyItems,
    cmd::kCutItems,   cmd::kDeleteItem, cmd::kItemProperties, cmd::kRename,
};

template <std::size_t N>
bool contains(const std::array<int, N>& ids, int id)
{
    for (const int i : ids)
        if (i == id)
            return true;
    return false;
}

} // namespace

int storedViewMode()
{
    const int mode = qrl::read(qrl::settings::kListStyle);
    return mode >= 0 && mode < kViewModeCount ? mode : kLargeIcons;
}

void storeViewMode(int mode)
{
    qrl::write(qrl::settings::kListStyle, mode);
}

std::optional<int> modeOfCommand(int commandId)
{
    for (int position = 0; position < kViewModeCount; ++position)
        if (kMenuModes[static_cast<std::size_t>(position)] == commandId ||
            kPopupModes[static_cast<std::size_t>(position)] == commandId)
            return kModeOfPosition[static_cast<std::size_t>(position)];
    return std::nullopt;
}

bool isEnabled(int commandId, const ViewState& state)
{
    if (modeOfCommand(commandId) || contains(kAlwaysEnabled, commandId) || companions::find(commandId))
        return true;
    if (contains(kOnSelection, commandId))
        return state.hasSelection;
    switch (commandId) {
    case cmd::kOpenItem:
        return state.hasSelection && state.openable;
    case cmd::kSelectAll:
        return state.hasItems;
    case cmd::kEditPaste:
    case cmd::kPasteHere:
        return state.clipboardHasFiles;
    case cmd::kSaveProject:
        return state.modified;
    default:
        return false;
    }
}

bool isChecked(int commandId, const ViewState& state)
{
    const std::optional<int> mode = modeOfCommand(commandId);
    return mode && *mode == state.mode;
}

bool isViewCommand(int commandId)
{
    // Every command of the project window is enabled in some state; this is the state with all.
    return isEnabled(commandId, ViewState{true, true, true, true, kLargeIcons, true});
}

} // namespace viewcommands
