#pragma once

#include <QIcon>

namespace icons {

// The toolbar's 16 pixel image of a command id (cmd::); a null icon for a command without one.
QIcon toolbarIcon(int commandId);

} // namespace icons
