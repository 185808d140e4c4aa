#pragma once

#include <QString>

class QWidget;

namespace qrl {

// Puts a dialog that is not shown yet where it was last closed: the placement stored in its
// profile section, unless the program's version changed since (an older version's rectangles are
// not used). True when a stored placement was applied; otherwise the dialog keeps its own place.
bool restoreDialogPlacement(QWidget* dialog, const QString& section);

// The window a dialog opens over: `parent`, or when the caller has none to give (a question asked
// in the middle of an add or an open), the program's main window (the shown top-level main
// window), else the active window. Without a parent a dialog would open centred on the screen.
QWidget* dialogParent(QWidget* parent);

// Stores the dialog's placement in its profile section.
void saveDialogPlacement(const QWidget* dialog, const QString& section);

} // namespace qrl
