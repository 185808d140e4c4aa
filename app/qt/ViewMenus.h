#pragma once

#include "ViewCommandRules.h"

#include <functional>
#include <memory>

class QMenu;
class QWidget;

// The project window's two context menus: the item's (over a row) and the empty list's (with the
// view-mode popup). Texts come from the string table by command id, enabling and checks from
// ViewCommandRules; every item runs its command through `run`.
namespace qrl::viewmenus {

std::unique_ptr<QMenu> contextMenu(bool overRow, const qrl::viewcommands::ViewState& state,
                                   const std::function<void(int commandId)>& run, QWidget* parent = nullptr);

} // namespace qrl::viewmenus
