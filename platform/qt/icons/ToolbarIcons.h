#pragma once

#include <QIcon>

namespace qrl::icons {

// The toolbar's 16 pixel image of a command id (qrl::cmd::); a null icon for a command without one.
QIcon toolbarIcon(int commandId);

} // namespace qrl::icons
