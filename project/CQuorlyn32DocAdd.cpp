// The roads by which items enter and leave a project.
#include "CQuorlyn32Doc.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"

#include "AppContext.h"
#include "BitmapToMacroCall.h"
#include "BitmapToMacroCheck.h"
#include "CQuorlyn32Err.h"
#include "ImageFileType.h"
#include "ItemScanners.h"
#include "RecordText.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QDir>
#include <QFile>

namespace {

const char* const kItemLimitText =
    "An Quorlyn project can have max. 256 items.\nPlease use another Quorlyn project.";

void logLine(int level, const QString& format, const QString& argument = {})
{
    qrl::AppContext& context = qrl::context();
    if (context.logs(level))
        context.logText(level, qrl::formatText(format, {argument}) + QStringLiteral("\r\n"));
}

void setOutcome(CQuorlyn32Doc::AddOutcome* outcome, CQuorlyn32Doc::AddOutcome value)
{
    if (outcome)
        *outcome = value;
}

bool refuse(std::uint16_t code)
{
    GetQuorlyn32Err().SetError(code);
    return false;
}

} // namespace

void CQuorlyn32Doc::ShowItemLimitMessage() const
{
    qrl::ui().message(QString::fromLatin1(kItemLimitText), qrl::Buttons::Ok);
}

bool CQuorlyn32Doc::AddFile(const QString& path, ResourceKind& kind, AddOutcome* outcome)
{
    GetQuorlyn32Err().SetError(kAddErrorNone);
    setOutcome(outcome, AddOutcome::Refused);
    if (GetItemCount() >= kMaxItems) {
        ShowItemLimitMessage();
        return refuse(kAddErrorShown);
    }
    const QString key = CProjItem::PathKey(path);
    for (const auto& item : m_items)
        if (item->pathKey() == key)
            return refuse(kAddErrorDuplicate);
    const int imageType = GetImageFileType(path);
    if (imageType != qrl::imagefile::kNotImage) {
        BitmapToMacroRequest request;
        request.path = path;
        request.imageType = imageType;
        // A cancelled dialog, a refused request and a failed conversion add nothing and leave no
        // code: the dialog or the raster library has told the user why.
        if (!RunBitmapToMacroDlg(request))
            return false;
        // The name and the file are checked against the project before the file is written, so
        // that no project file is replaced by a macro the project would then refuse.
        if (!qrl::bitmapmacro::checkMacroName(request.macroName, this) ||
            !qrl::bitmapmacro::checkMacroFilePath(request.path, this))
            return false;
        if (!qrl::bitmapmacro::createMacroFile(path, request))
            return false;
        return AddItem(std::make_unique<CProjItem>(request.path, 0, 0, this), kind, outcome);
    }
    return AddItem(std::make_unique<CProjItem>(path, 0, 0, this), kind, outcome);
}

bool CQuorlyn32Doc::AddItem(std::unique_ptr<CProjItem> item, ResourceKind& kind, AddOutcome* outcome)
{
    GetQuorlyn32Err().SetError(kAddErrorNone);
    setOutcome(outcome, AddOutcome::Refused);
    if (!item)
        return false;
    if (item->isCancelled() || item->isPathTooLong())
        return refuse(kAddErrorShown);
    // Every road in is bounded here: the build holds at most 256 item blocks.
    if (GetItemCount() >= kMaxItems) {
        ShowItemLimitMessage();
        return refuse(kAddErrorShown);
    }

    QString path = item->GetPath();
    if (!FindResourceFile(path, item->subtype())) {
        const qrl::Answer answer =
            ShowFileMessage(qrl::ids::kFileErrorFormat, qrl::ids::kFileNotFound, qrl::ids::kHintNotInserted,
                            item->GetPath(), qrl::Buttons::OkCancel);
        setOutcome(outcome, answer == qrl::Answer::Ok ? AddOutcome::Skipped : AddOutcome::Cancelled);
        refuse(kAddErrorShown);
        return answer == qrl::Answer::Ok;
    }
    const bool relocated = path != item->GetPath();
    if (relocated && !item->SetPath(path)) {
        CProjItem::ShowPathTooLong(path);
        return refuse(kAddErrorShown);
    }
    item->setMissing(false);
    item->RefreshFileSize();
    if (item->fileSizeOnDisk() > kMaxFileSize) {
        ShowFileMessage(qrl::ids::kFileErrorFormat, qrl::ids::kFileLengthError, qrl::ids::kHintNotInserted,
                        path);
        return refuse(kAddErrorShown);
    }
    if (!ValidateItemFile(path, item->subtype()))
        return refuse(kAddErrorShown);
    for (const auto& present : m_items)
        if (present->pathKey() == item->pathKey())
            return refuse(kAddErrorDuplicate);
    if (CheckMacroNameClash(item->GetName()))
        return false;
    if (!refreshCapacity(item->record().fileSize))
        return refuse(kAddErrorCapacity);
    if (item->subtype() == kPclMacro && item->verifyMacroId() && !item->VerifyPclMacroId())
        return false;

    kind = item->kind();
    item->StoreChosenMapping();
    m_items.push_back(std::move(item));
    // The stored path no longer names where the file is: the project needs saving.
    if (relocated)
        SetModifiedFlag(true);
    refreshCapacity(0);
    setOutcome(outcome, AddOutcome::Added);
    return true;
}

CProjItem* CQuorlyn32Doc::AddItemFromRecord(const ItemRecord& record, AddOutcome* outcome)
{
    auto item = std::make_unique<CProjItem>(record);
    item->setVerifyMacroId(false);
    CProjItem* added = item.get();
    ResourceKind kind = kKindFont;
    AddOutcome result = AddOutcome::Refused;
    AddItem(std::move(item), kind, &result);
    setOutcome(outcome, result);
    if (result == AddOutcome::Added)
        return added;
    if (result != AddOutcome::Cancelled) {
        // Nobody else tells the user why a stored item did not load; the project now differs
        // from its file.
        const std::uint16_t code = GetQuorlyn32Err().FetchError();
        const QString message = CQuorlyn32Err::RefusalMessage(code, qrl::recordtext::pathText(record.path));
        if (!message.isEmpty())
            qrl::ui().message(message);
        SetModifiedFlag(true);
    }
    return nullptr;
}

bool CQuorlyn32Doc::RemoveItem(int serial)
{
    const int index = GetItemIndex(serial);
    if (index < 0)
        return false;
    m_items.erase(m_items.begin() + index);
    refreshCapacity(0);
    return true;
}

bool CQuorlyn32Doc::FindResourceFile(QString& path, int subtype) const
{
    logLine(3, QStringLiteral("File will be search under original directory: %s"), path);
    if (isFileAvailable(path)) {
        logLine(3, QStringLiteral("File found under original place."));
        return true;
    }
    const QString fileName = CProjItem::FileNameOf(path);
    // Projects written on Windows name their files in any case; the directory's own spelling wins.
    const auto findIn = [this, &fileName](const QString& directory) {
        QString candidate = directory;
        if (!candidate.endsWith(QLatin1Char('/')))
            candidate += QLatin1Char('/');
        const QString exact = candidate + fileName;
        if (isFileAvailable(exact))
            return exact;
        const QStringList entries = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& entry : entries)
            if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
                return candidate + entry;
        return QString();
    };
    const QString general = qrl::context().directories.resources;
    if (!general.isEmpty() && !fileName.isEmpty()) {
        logLine(3, QStringLiteral("Resources file location will be searched: %s "), general);
        const QString found = findIn(general);
        if (!found.isEmpty()) {
            logLine(3, QStringLiteral("File found under general resource Directory: %s"), found);
            path = found;
            return true;
        }
    }
    const QString explicitDirectory = qrl::context().directories.forSubtype(subtype);
    if (explicitDirectory.isEmpty() || fileName.isEmpty())
        return false;
    logLine(3, QStringLiteral("Explicit resources file location will be searched: %s "), explicitDirectory);
    const QString found = findIn(explicitDirectory);
    if (found.isEmpty())
        return false;
    logLine(3, QStringLiteral("File found under explicit resource Directory: %s"), found);
    path = found;
    return true;
}

bool CQuorlyn32Doc::CheckMacroNameClash(const QString& name) const
{
    for (const auto& item : m_items) {
        if (item->subtype() == kTelluradeMacro && item->GetName() == name) {
            qrl::ui().message(qrl::text(qrl::ids::kMacroNameInProject), qrl::Buttons::Ok, qrl::Icon::Warning);
            return true;
        }
    }
    return false;
}

int CQuorlyn32Doc::GetImageFileType(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return qrl::imagefile::kNotImage;
    const QByteArray head = file.read(static_cast<qint64>(qrl::imagefile::kHeadLength));
    return qrl::imagefile::imageFileType(qrl::itemscan::bytesOf(head),
                                         static_cast<std::uint64_t>(file.size()));
}

bool CQuorlyn32Doc::RunBitmapToMacroDlg(BitmapToMacroRequest& request)
{
    return bitmapToMacroRunner().run(*this, request);
}
