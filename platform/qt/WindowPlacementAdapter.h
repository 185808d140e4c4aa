#pragma once

#include "WindowPlacement.h"

class QWidget;

namespace qrl {

// Takes a window's placement: the normal geometry, and the show command normal or maximised.
// A minimised window is stored as normal, or as maximised when it was maximised before.
WindowPlacement captureWindowPlacement(const QWidget* window);

// Applies a stored placement to a window that is not shown yet. Show commands other than
// maximised restore a normal window; a rectangle on no screen is moved onto the nearest one.
void applyWindowPlacement(QWidget* window, const WindowPlacement& placement);

} // namespace qrl
