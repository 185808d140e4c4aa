#include "DialogPlacement.h"

#include "AppContext.h"
#include "CWinPlacement.h"
#include "WindowPlacementAdapter.h"

#include <QApplication>
#include <QMainWindow>

namespace qrl {

bool restoreDialogPlacement(QWidget* dialog, const QString& section)
{
    if (context().versionChanged)
        return false;
    WindowPlacement placement;
    if (!CWinPlacement().LoadWindowPlacement(section, placement))
        return false;
    applyWindowPlacement(dialog, placement);
    return true;
}

QWidget* dialogParent(QWidget* parent)
{
    if (parent)
        return parent;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window) && window->isVisible())
            return window;
    return QApplication::activeWindow();
}

void saveDialogPlacement(const QWidget* dialog, const QString& section)
{
    CWinPlacement().SaveWindowPlacement(section, captureWindowPlacement(dialog));
}

} // namespace qrl
