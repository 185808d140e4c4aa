#include "DialogPlacement.h"

#include "AppContext.h"
#include "CWinPlacement.h"
#include "WindowPlacementAdapter.h"

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

void saveDialogPlacement(const QWidget* dialog, const QString& section)
{
    CWinPlacement().SaveWindowPlacement(section, captureWindowPlacement(dialog));
}

} // namespace qrl
