#include "ViewAddLoop.h"

#include "AppTextIds.h"
#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "CQuorlyn32Err.h"
#include "ResourceTypes.h"
#include "SharedFolder.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QFileInfo>

namespace qrl::addloop {

namespace {

struct AddAnswer {
    bool added = false;
    std::uint16_t code = kAddErrorNone;
};

// One road's adds: keeps what was added since the list last caught up.
class Batch {
public:
    // `listKind`: the kind the list shows after adds; none for the kind of the last added item.
    Batch(CQuorlyn32Doc& doc, const ShowKind& show, ResourceKind listKind = kKindNone)
        : m_doc(doc), m_show(show), m_listKind(listKind)
    {
    }

    AddAnswer add(const QString& path, bool reportDuplicate)
    {
        ResourceKind kind = kKindNone;
        CQuorlyn32Doc::AddOutcome outcome = CQuorlyn32Doc::AddOutcome::Refused;
        m_doc.AddFile(path, kind, &outcome);
        AddAnswer answer;
        answer.code = GetQuorlyn32Err().FetchError();
        if (outcome == CQuorlyn32Doc::AddOutcome::Added) {
            answer.added = true;
            ++m_result.added;
            m_result.lastKind = kind;
            m_pending = true;
            return answer;
        }
        if (answer.code == kAddErrorDuplicate && !reportDuplicate)
            return answer;
        const QString message = CQuorlyn32Err::RefusalMessage(answer.code, path);
        if (!message.isEmpty())
            report(message);
        return answer;
    }

    // When anything was added since the last time, the list shows it and the project is marked
    // modified.
    void catchUp()
    {
        if (!m_pending)
            return;
        m_pending = false;
        m_shown = true;
        m_doc.SetModifiedFlag(true);
        m_show(m_listKind != kKindNone ? m_listKind : m_result.lastKind);
    }

    void report(const QString& text)
    {
        catchUp();
        qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Warning);
    }

    const Result& result() const { return m_result; }
    bool hasShown() const { return m_shown; }

private:
    CQuorlyn32Doc& m_doc;
    const ShowKind& m_show;
    ResourceKind m_listKind;
    Result m_result;
    bool m_pending = false;
    bool m_shown = false;
};

// The most file names the message of the files left out lists; the rest are counted.
constexpr qsizetype kListedFiles = 20;

// After the refusal that ended the command: one message names the chosen files from `first` on,
// none of which was added, unless the refused one was the last chosen.
void reportNotAdded(const QStringList& paths, qsizetype first)
{
    if (first + 1 >= paths.size())
        return;
    QStringList names;
    for (qsizetype i = first; i < paths.size() && names.size() < kListedFiles; ++i)
        names.append(CProjItem::FileNameOf(paths[i]));
    const qsizetype rest = paths.size() - first - names.size();
    if (rest > 0)
        names.append(qrl::formatText(qrl::text(qrl::ids::kMoreFilesNotAdded), {static_cast<int>(rest)}));
    qrl::ui().message(qrl::formatText(qrl::text(qrl::ids::kFilesNotAdded), {names.join(QLatin1Char('\n'))}),
                      qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

bool isNotFolder(const QString& path)
{
    if (!QFileInfo(path).isDir())
        return true;
    qrl::ui().message(qrl::text(qrl::ids::kCannotAddFolder), qrl::Buttons::Ok, qrl::Icon::Warning);
    return false;
}

Result addChosenFiles(CQuorlyn32Doc& doc, const QStringList& paths, const ShowKind& show)
{
    Batch batch(doc, show);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (qrl::isSharedFolderPath(paths[i])) {
            batch.report(qrl::text(qrl::ids::kSharedFolderRefused));
        } else if (batch.add(paths[i], true).added) {
            continue;
        }
        batch.catchUp();
        reportNotAdded(paths, i);
        return batch.result();
    }
    batch.catchUp();
    return batch.result();
}

Result addFileList(CQuorlyn32Doc& doc, const QStringList& paths, const ShowKind& show)
{
    Batch batch(doc, show);
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            batch.catchUp();
            isNotFolder(path);
            continue;
        }
        if (qrl::isSharedFolderPath(path)) {
            batch.report(qrl::text(qrl::ids::kSharedFolderRefused));
            break;
        }
        batch.add(path, true);
    }
    batch.catchUp();
    return batch.result();
}

bool addDroppedFile(CQuorlyn32Doc& doc, const QString& path, const ShowKind& show)
{
    Batch batch(doc, show);
    const bool added = batch.add(path, true).added;
    batch.catchUp();
    return added;
}

Result addCreatorResults(CQuorlyn32Doc& doc, const QString& enablePath, const QString& disablePath,
                         const ShowKind& show)
{
    Batch batch(doc, show, kKindForm);
    if (batch.add(enablePath, false).code == kAddErrorCapacity)
        return batch.result();
    const bool disableRefused = batch.add(disablePath, false).code == kAddErrorCapacity;
    batch.catchUp();
    if (!batch.hasShown())
        show(kKindForm);
    if (!disableRefused)
        doc.SetModifiedFlag(true);
    return batch.result();
}

} // namespace qrl::addloop
