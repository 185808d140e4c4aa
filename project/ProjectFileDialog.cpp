#include "ProjectFileDialog.h"

#include "AppContext.h"
#include "StringTable.h"
#include "UserInterface.h"

bool projectFileDialog(QString& fileName, int titleId, bool mustExist, bool open)
{
    qrl::FileDialogRequest request;
    request.title = qrl::text(titleId);
    request.directory = qrl::context().directories.projects;
    request.fileName = fileName.left(260);
    request.filter = QStringLiteral("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||");
    request.mustExist = mustExist;
    request.overwritePrompt = true;
    // A name typed without an extension is saved as a project the open dialog's filter shows.
    if (!open)
        request.defaultSuffix = QStringLiteral("prj");
    const auto chosen = open ? qrl::ui().openFileName(request) : qrl::ui().saveFileName(request);
    if (!chosen)
        return false;
    fileName = *chosen;
    return true;
}
