#include "DocumentRoads.h"

#include "AppTextIds.h"
#include "CQuorlyn32App.h"
#include "CQuorlyn32Doc.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QFileInfo>

namespace qrl::docroads {

namespace {

QString baseTitle(const CQuorlyn32Doc& doc)
{
    return doc.GetPathName().isEmpty() ? qrl::text(qrl::ids::kUntitled)
                                       : QFileInfo(doc.GetPathName()).fileName();
}

} // namespace

QString projectTitle(const CQuorlyn32Doc& doc)
{
    return baseTitle(doc) + (doc.IsModified() ? QStringLiteral("*") : QString());
}

bool saveProject(CQuorlyn32Doc& doc, bool saveAs)
{
    const bool saved = saveAs ? doc.OnFileSaveAs() : doc.OnFileSave();
    if (saved)
        theApp().recentFiles().add(doc.GetPathName());
    return saved;
}

bool mayClose(CQuorlyn32Doc& doc)
{
    if (!doc.IsModified())
        return true;
    const QString question = qrl::formatText(qrl::text(qrl::ids::kSaveChangesQuestion), {baseTitle(doc)});
    switch (qrl::ui().message(question, qrl::Buttons::YesNoCancel, qrl::Icon::Warning)) {
    case qrl::Answer::Yes:
        return saveProject(doc);
    case qrl::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace qrl::docroads
