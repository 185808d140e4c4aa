#include "ViewCommandRules.h"

#include "CommandIds.h"
#include "CompanionPrograms.h"
#include "SettingsKeys.h"

#include <array>

namespace qrl::viewcommands {

namespace {

static_assert(qrl::settings::kListStyle.defaultValue == kLargeIcons,
              "a list style never stored shows large icons");

// The window menu's mode commands and the popup's, both in the order of the modes' positions
// in a popup: large icons, small icons, list, details.
constexpr std::array<int, kViewModeCount> kMenuModes = {qrl::cmd::kLargeIcons, qrl::cmd::kSmallIcons,
                                                        qrl::cmd::kList, qrl::cmd::kDetails};
constexpr std::array<int, kViewModeCount> kPopupModes = {
    qrl::cmd::kPopupLargeIcons, qrl::cmd::kPopupSmallIcons, qrl::cmd::kPopupList, qrl::cmd::kPopupDetails};
constexpr std::array<int, kViewModeCount> kModeOfPosition = {kLargeIcons, kSmallIcons, kList, kDetails};

// Commands that are there whenever a project window is.
constexpr std::array<int, 10> kAlwaysEnabled = {
    qrl::cmd::kAddResource,     qrl::cmd::kAddResourceHere, qrl::cmd::kListProjectSettings,
    qrl::cmd::kListBuild,       qrl::cmd::kPrinterTools,    qrl::cmd::kCcpyCreator,
    qrl::cmd::kEmcrCreator,     qrl::cmd::kFontDownloader,  qrl::cmd::kCompanionByName,
    qrl::cmd::kCompanionNoMenu,
};

// Commands that work on the selected rows.
constexpr std::array<int, 9> kOnSelection = {
    qrl::cmd::kProperties,  qrl::cmd::kEditCopy,       qrl::cmd::kEditCut,
    qrl::cmd::kDeleteItems, qrl::cmd::kCopyItems,      qrl::cmd::kCutItems,
    qrl::cmd::kDeleteItem,  qrl::cmd::kItemProperties, qrl::cmd::kRename,
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
    if (modeOfCommand(commandId) || contains(kAlwaysEnabled, commandId) || qrl::companions::find(commandId))
        return true;
    if (contains(kOnSelection, commandId))
        return state.hasSelection;
    switch (commandId) {
    case qrl::cmd::kOpenItem:
        return state.hasSelection && state.openable;
    case qrl::cmd::kSelectAll:
        return state.hasItems;
    case qrl::cmd::kEditPaste:
    case qrl::cmd::kPasteHere:
        return state.clipboardHasFiles;
    case qrl::cmd::kSaveProject:
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

} // namespace qrl::viewcommands
