// The project document as the project file readers and the content checks see it.
#include "CQuorlyn32Doc.h"

#include "FileMessages.h"
#include "ProjectFile.h"
#include "ResourceCheck.h"

#include <QIODevice>

namespace {

class DocumentTarget : public ProjectFileTarget {
public:
    explicit DocumentTarget(CQuorlyn32Doc& doc) : m_doc(doc) {}

    qrl::Answer showFileMessage(int formatId, int errorId, int hintId, const QString& file,
                                qrl::Buttons buttons) override
    {
        return m_doc.ShowFileMessage(formatId, errorId, hintId, file, buttons);
    }
    void showFileError(int formatId, int errorId, int hintId, const QString& file) override
    {
        ShowFileError(formatId, errorId, hintId, file);
    }
    CProjSett& settings() override { return m_doc.GetProjSett(); }
    int itemCount() const override { return m_doc.GetItemCount(); }
    AddResult addItemFromRecord(const ItemRecord& record) override
    {
        CQuorlyn32Doc::AddOutcome outcome = CQuorlyn32Doc::AddOutcome::Refused;
        m_doc.AddItemFromRecord(record, &outcome);
        switch (outcome) {
        case CQuorlyn32Doc::AddOutcome::Added:
            return AddResult::Added;
        case CQuorlyn32Doc::AddOutcome::Cancelled:
            return AddResult::Stop;
        case CQuorlyn32Doc::AddOutcome::Skipped:
        case CQuorlyn32Doc::AddOutcome::Refused:
            break;
        }
        return AddResult::Skipped;
    }
    bool findResourceFile(QString& path, int subtype) override
    {
        return m_doc.FindResourceFile(path, subtype);
    }
    void setShowMessages(int show) override { m_doc.SetShowMessages(show); }
    void markModified() override { m_doc.SetModifiedFlag(true); }
    void projectImported(const QString& oldPath) override { m_doc.SetImportedFrom(oldPath); }
    void showItemLimitMessage() override { m_doc.ShowItemLimitMessage(); }

private:
    CQuorlyn32Doc& m_doc;
};

} // namespace

int CQuorlyn32Doc::GetProjectFileKind(QIODevice& file)
{
    return ::GetProjectFileKind(file);
}

bool CQuorlyn32Doc::ReadProjectFile(QIODevice& file, const QString& path)
{
    DocumentTarget target(*this);
    return ::ReadProjectFile(file, path, target);
}

bool CQuorlyn32Doc::ImportDosProject(QIODevice& file, const QString& path)
{
    DocumentTarget target(*this);
    return ::ImportDosProject(file, path, target);
}

bool CQuorlyn32Doc::LoadDocumentFile(QIODevice& file, const QString& path)
{
    DocumentTarget target(*this);
    return ::LoadProjectFile(file, path, target);
}

bool CQuorlyn32Doc::WriteProjectFile(QIODevice& file)
{
    std::vector<ItemRecord> records;
    records.reserve(m_items.size());
    for (const auto& item : m_items)
        records.push_back(item->record());
    QString error;
    return ::WriteProjectFile(file, GetProjSett(), records, error);
}

bool CQuorlyn32Doc::ValidateItemFile(const QString& path, int subtype)
{
    DocumentTarget target(*this);
    return ::ValidateItemFile(path, subtype, target);
}
