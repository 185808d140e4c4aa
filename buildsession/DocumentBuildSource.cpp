#include "DocumentBuildSource.h"

#include "CProjItem.h"
#include "CQuorlyn32Doc.h"

#include <QFileInfo>

namespace qrl::build {

DocumentBuildSource::DocumentBuildSource(CQuorlyn32Doc& document) : m_document(document)
{
}

BuildProject DocumentBuildSource::buildProject() const
{
    BuildProject project;
    const QString path = m_document.GetPathName();
    project.title = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    project.directory = m_document.GetDocumentDirectory();
    project.settings = m_document.GetProjSett();
    project.totalBytes = m_document.GetTotalInBytes();
    for (int i = 0; i < m_document.GetItemCount(); ++i) {
        const CProjItem* item = m_document.GetItemAt(i);
        if (!item)
            continue;
        BuildItem entry;
        entry.path = item->GetPath();
        entry.record = item->record();
        entry.kind = item->kind();
        entry.writeParFile = [item](QString& fileName) { return item->WriteParFile(fileName); };
        project.items.push_back(std::move(entry));
    }
    return project;
}

void DocumentBuildSource::takeSettings(const CProjSett& settings, bool modified)
{
    CProjSett& own = m_document.GetProjSett();
    own.m_medium = settings.m_medium;
    own.m_extraSettings = settings.m_extraSettings;
    own.m_storageSizeIndex = settings.m_storageSizeIndex;
    if (modified)
        m_document.SetModifiedFlag(true);
}

} // namespace qrl::build
