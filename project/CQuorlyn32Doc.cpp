#include "CQuorlyn32Doc.h"

#include "AppContext.h"
#include "CGlobalPrefs.h"
#include "CapacityPane.h"
#include "FileMessages.h"
#include "PlatformTextIds.h"
#include "ProjectTextIds.h"
#include "RecordText.h"
#include "ResourceTypes.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QFileInfo>

namespace {

CQuorlyn32Doc* activeDoc = nullptr;
// Every project that lives, in the order they were made.
std::vector<CQuorlyn32Doc*> liveDocs;

QString unsignedText(std::uint32_t value)
{
    return qrl::formatText(QStringLiteral("%lu"), {value});
}

} // namespace

CQuorlyn32Doc::CQuorlyn32Doc(QObject* parent) : QObject(parent), m_settings(std::make_unique<CProjSett>())
{
    liveDocs.push_back(this);
}

CQuorlyn32Doc::~CQuorlyn32Doc()
{
    if (activeDoc == this)
        activeDoc = nullptr;
    std::erase(liveDocs, this);
    m_items.clear();
}

CQuorlyn32Doc* CQuorlyn32Doc::GetActive()
{
    return activeDoc;
}

void CQuorlyn32Doc::SetActive(CQuorlyn32Doc* doc)
{
    activeDoc = doc;
}

CQuorlyn32Doc* CQuorlyn32Doc::FindOpenDocument(const QString& path, const CQuorlyn32Doc* except)
{
    for (CQuorlyn32Doc* doc : liveDocs)
        if (doc != except && qrl::sameFile(doc->GetPathName(), path))
            return doc;
    return nullptr;
}

CProjItem* CQuorlyn32Doc::GetItemAt(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

int CQuorlyn32Doc::GetItemIndex(int serial) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[static_cast<std::size_t>(i)]->serial() == serial)
            return i;
    return -1;
}

CProjItem* CQuorlyn32Doc::GetItem(int serial) const
{
    return GetItemAt(GetItemIndex(serial));
}

ResourceKind CQuorlyn32Doc::GetItemKind(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->kind() : kKindNone;
}

int CQuorlyn32Doc::GetItemSubtype(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->subtype() : -1;
}

std::uint32_t CQuorlyn32Doc::GetItemID(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->record().resourceId : 0;
}

void CQuorlyn32Doc::SetItemID(int serial, std::uint32_t id)
{
    if (CProjItem* item = GetItem(serial))
        item->record().resourceId = id;
}

void CQuorlyn32Doc::SetTypefaceID(int serial, std::uint32_t id)
{
    if (CProjItem* item = GetItem(serial))
        item->record().typefaceId = id;
}

int CQuorlyn32Doc::GetSymbolSet(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->record().symbolSet : 0;
}

void CQuorlyn32Doc::SetSymbolSet(int serial, int index)
{
    if (CProjItem* item = GetItem(serial))
        item->record().symbolSet = static_cast<std::uint8_t>(index);
}

int CQuorlyn32Doc::GetItemFlag(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->record().automaticFlag : 0;
}

void CQuorlyn32Doc::SetItemFlag(int serial, int flag)
{
    if (CProjItem* item = GetItem(serial))
        item->record().automaticFlag = static_cast<std::uint16_t>(flag);
}

bool CQuorlyn32Doc::IsItemMissing(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item && item->isMissing();
}

bool CQuorlyn32Doc::SetItemName(int serial, const QString& name)
{
    CProjItem* item = GetItem(serial);
    if (!item || name.isNull())
        return false;
    if (!qrl::singlebyte::fits(name)) {
        qrl::ui().message(qrl::text(qrl::ids::kNotLatin1), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    std::string bytes = qrl::recordtext::nameBytes(name);
    if (item->subtype() == kTrueTypeFont && bytes.size() > CProjItem::kMaxTrueTypeNameLength) {
        qrl::ui().message(qrl::text(qrl::ids::kFontNameTooLong));
        bytes = qrl::recordtext::cut(bytes, CProjItem::kMaxTrueTypeNameLength);
    } else if (bytes.size() > ItemRecord::kMaxNameLength) {
        qrl::ui().message(qrl::text(qrl::ids::kNameTooLong), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    item->SetName(qrl::recordtext::nameText(bytes));
    return true;
}

QString CQuorlyn32Doc::GetItemPath(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->GetPath() : QString();
}

QString CQuorlyn32Doc::GetItemTypeLabel(int serial) const
{
    const CGlobalPrefs* prefs = activePrefs();
    const CProjItem* item = GetItem(serial);
    return item && prefs ? prefs->DescriptionOfSubtype(item->subtype()) : QString();
}

QString CQuorlyn32Doc::GetItemName(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? item->GetName() : QString();
}

QString CQuorlyn32Doc::GetItemSizeText(int serial) const
{
    const CProjItem* item = GetItem(serial);
    return item ? unsignedText(item->record().fileSize) : QString();
}

std::uint64_t CQuorlyn32Doc::GetTotalInBytes() const
{
    std::uint64_t total = 0;
    for (const auto& item : m_items)
        total += item->record().fileSize;
    return total;
}

std::uint32_t CQuorlyn32Doc::GetCapacityInBytes(int index) const
{
    return StorageSizeTable::bytes(index == StorageSizeTable::kOwnIndex ? m_settings->m_storageSizeIndex
                                                                        : index);
}

int CQuorlyn32Doc::FindFlaggedItem(int serial) const
{
    const bool forms = GetItemSubtype(serial) == kApplicationForm;
    for (const auto& item : m_items) {
        const int type = item->subtype();
        const bool sameGroup =
            forms ? type == kApplicationForm : (type == kPclMacro || type == kTelluradeMacro);
        if (sameGroup && item->record().automaticFlag != 0)
            return item->serial();
    }
    return -1;
}

QString CQuorlyn32Doc::SetDocumentDirectory(const QString& directory)
{
    return m_directory = directory;
}

qrl::Answer CQuorlyn32Doc::ShowFileMessage(int formatId, int errorId, int hintId, const QString& fileName,
                                           qrl::Buttons buttons)
{
    if (m_showMessages == 0)
        return qrl::Answer::Ok;
    return qrl::ui().message(fileMessageText(formatId, errorId, hintId, fileName), buttons, qrl::Icon::None);
}

bool CQuorlyn32Doc::isFileAvailable(const QString& path) const
{
    qrl::AppContext& context = qrl::context();
    context.logText(1, QStringLiteral("searching file in CQuorlyn32Doc::isFileAvailable()\r\n"));
    context.logText(1, path + QStringLiteral("\r\n"));
    return !path.isEmpty() && QFileInfo::exists(path);
}

void CQuorlyn32Doc::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

bool CQuorlyn32Doc::refreshCapacity(std::uint64_t bytesToAdd) const
{
    return updateCapacityPane(*m_settings, static_cast<std::uint32_t>(m_items.size()), GetTotalInBytes(),
                              bytesToAdd);
}
