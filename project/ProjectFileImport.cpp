#include "ProjectFile.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "RecordText.h"

#include "CProjSett.h"
#include "ItemRecord.h"
#include "ProjectFileMacroQuestion.h"
#include "ProjectFileOldRecord.h"
#include "ProjectFileSupport.h"
#include "ResourceCheck.h"
#include "ResourceCheckSupport.h"
#include "ResourceTypes.h"

#include <QFile>
#include <QIODevice>

#include <optional>

namespace {

using Old = ProjectFileOldRecord;

std::uint8_t askMacroType(const Old& old)
{
    const int answer = macroTypeQuestion().askMacroType(qrl::recordtext::pathText(old.path));
    return answer == ProjectFileMacroQuestion::kTelluradeMacro ? kTelluradeMacro : kPclMacro;
}

// A new record with the fields every old record gives. It starts zeroed, so a record of a kind
// this program does not know never takes values from the record before it.
ItemRecord baseRecord(const Old& old)
{
    ItemRecord r;
    r.path = old.path;
    r.name = old.name;
    r.fileSize = old.fileSize;
    return r;
}

ItemRecord compose209(const Old& old)
{
    ItemRecord r = baseRecord(old);
    switch (old.kind) {
    case Old::k209TrueType:
        r.resourceType = kTrueTypeFont;
        r.resourceId = old.fontNumber;
        r.typefaceId = old.typeface;
        r.symbolSet = old.symbolSet;
        break;
    case Old::k209PclScalable:
        r.resourceType = kPclEoFont;
        r.resourceId = old.fontNumber & 0xFFFF;
        r.typefaceId = old.typeface;
        break;
    case Old::k209Macro:
        r.resourceType = askMacroType(old);
        break;
    case Old::k209Form:
        r.resourceType = kApplicationForm;
        break;
    case Old::k209Data:
        r.resourceType = kProgramData;
        break;
    default:
        break;
    }
    return r;
}

// The type of a font of a 203-byte project by its contents, with its typeface number when the
// file gives one; none when the file is no font this program builds (the scalable-font check has
// then said that the file is not inserted). Messages of the first two checks stay quiet.
bool classifyFont(const QString& file, ItemRecord& r, ProjectFileTarget& target)
{
    target.setShowMessages(0);
    bool known = true;
    std::uint32_t typeface = 0;
    if (CheckTelluradeFontFile(file, target)) {
        r.resourceType = kZentrixBitmapFont;
        if (GetSfaFontID(file, typeface, target))
            r.typefaceId = typeface;
    } else if (CheckPclBitmapFont(file, target)) {
        r.resourceType = kPclBitmapPortraitFont;
        if (GetPclFontID(file, typeface, target))
            r.typefaceId = typeface;
    } else if (CheckPclScalableFont(file, target)) {
        r.resourceType = kPclEoFont;
    } else {
        known = false;
    }
    target.setShowMessages(1);
    return known;
}

// The record of a 203-byte project, or none when it is skipped after its message. Presence is
// tested by the project's own file search, as the add road does, so files moved into the
// resource directories are still found.
std::optional<ItemRecord> compose203(const Old& old, ProjectFileTarget& target)
{
    ItemRecord r = baseRecord(old);
    const QString stored = qrl::recordtext::pathText(old.path);
    const int directory = old.kind == Old::k203Form    ? kApplicationForm
                          : old.kind == Old::k203Macro ? kPclMacro
                          : old.kind == Old::k203Font  ? kTrueTypeFont
                                                       : -1;
    QString file = stored;
    if (!target.findResourceFile(file, directory)) {
        target.showFileMessage(qrl::ids::kFileErrorFormat, qrl::ids::kFileNotFound,
                               qrl::ids::kHintNotInserted, stored, qrl::Buttons::Ok);
        return std::nullopt;
    }
    if (file != stored)
        r.path = QFile::encodeName(file).toStdString();

    switch (old.kind) {
    case Old::k203Form:
        r.resourceType = kApplicationForm;
        break;
    case Old::k203Macro:
        r.resourceType = askMacroType(old);
        break;
    case Old::k203Font:
        if (!classifyFont(file, r, target))
            return std::nullopt;
        r.resourceId = old.fontNumber;
        break;
    default:
        break;
    }
    return r;
}

} // namespace

bool ImportDosProject(QIODevice& file, const QString& path, ProjectFileTarget& target)
{
    const qrl::projectfile::DosImportReset resetFlag;
    int kind = kProjectFileOld209;
    if (!CheckProjectHeader(file, kind, path, target))
        return false;
    const std::size_t recordSize = kind == kProjectFileOld209 ? Old::kSize209 : Old::kSize203;
    const qint64 step = static_cast<qint64>(recordSize);

    const QByteArray head = qrl::projectfile::readAt(file, 0, 2);
    const int count =
        head.size() == 2 ? Old::headerCount(reinterpret_cast<const unsigned char*>(head.constData())) : 0;
    target.settings().m_medium = kHardDisk;

    if (count > 0) {
        const qrl::projectfile::RecordBlock records =
            qrl::projectfile::readRecords(file, path, step, step, count, target);
        if (!records.ok)
            return false;
        const auto* bytes = reinterpret_cast<const unsigned char*>(records.bytes.constData());
        for (qint64 i = 0; i < records.count; ++i) {
            if (target.itemCount() >= kMaxProjectItems) {
                target.showItemLimitMessage();
                break;
            }
            const Old old = Old::decode(bytes + i * step, recordSize);
            const std::optional<ItemRecord> record = kind == kProjectFileOld209
                                                         ? std::optional<ItemRecord>(compose209(old))
                                                         : compose203(old, target);
            // A record left out after its message is skipped; a cancel ends the import.
            if (record && target.addItemFromRecord(*record) == ProjectFileTarget::AddResult::Stop)
                return false;
        }
    }
    target.markModified();
    target.projectImported(path);
    return true;
}
