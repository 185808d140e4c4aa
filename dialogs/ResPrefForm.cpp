#include "ResPrefForm.h"

#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "DialogsTextIds.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <algorithm>

namespace qrl::respref {

namespace {

constexpr int kLongPath = 40;
constexpr int kHead = 3;

std::uint32_t clampStep(std::uint32_t value, int step, std::int64_t lowest)
{
    const std::int64_t next = static_cast<std::int64_t>(value) + step;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(next, lowest, kMaxNumber));
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

void refuse(int messageId)
{
    qrl::ui().message(qrl::text(messageId), qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

ResPrefForm loadForm(const CQuorlyn32Doc& document, int serial)
{
    ResPrefForm form;
    const CProjItem* item = document.GetItem(serial);
    if (!item)
        return form;
    const ItemRecord& record = item->record();
    form.kind = document.GetItemKind(serial);
    form.subtype = document.GetItemSubtype(serial);
    form.id = form.storedId = record.resourceId;
    form.typefaceId = form.storedTypeface = record.typefaceId;
    // A record from an older or damaged file may hold an index outside the list; the list then
    // shows no selection rather than a wrong symbol set.
    form.symbolSet = record.symbolSet < kSymbolSetCount ? record.symbolSet : -1;
    form.storedSymbolSet = form.symbolSet;
    form.flag = record.automaticFlag != 0;
    return form;
}

std::uint32_t spinId(const ResPrefForm& form, int step)
{
    return clampStep(form.id, step, form.kind == kKindFont ? kLowestFontId : 0);
}

std::uint32_t spinTypeface(std::uint32_t typefaceId, int step)
{
    return clampStep(typefaceId, step, 0);
}

std::optional<std::uint32_t> parseNumberText(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    if (text.size() > kMaxNumberDigits)
        return kMaxNumber;
    return std::min<std::uint32_t>(text.toUInt(), kMaxNumber);
}

int typeLineTextId(ResourceKind kind, int subtype)
{
    switch (kind) {
    case kKindFont:
        return qrl::ids::kFontFileType;
    case kKindMacro:
        return subtype == kTelluradeMacro ? qrl::ids::kTelluradeMacroFileType : qrl::ids::kPclMacroFileType;
    case kKindForm:
        return qrl::ids::kFormFileType;
    default:
        return qrl::ids::kDataFileType;
    }
}

QString locationText(const QString& path)
{
    if (path.size() <= kLongPath)
        return path;
    const QString head = path.left(kHead) + QStringLiteral("..");
    for (const int tail : {34, 33}) {
        const QString end = path.right(tail);
        if (isSeparator(end.front()))
            return head + end;
    }
    return head + QStringLiteral("/~") + path.right(33);
}

void applyFlagClick(CQuorlyn32Doc& document, int serial, bool checked)
{
    document.SetModifiedFlag(true);
    if (!checked)
        return;
    // The project may hold several flagged items of a group (an older file, or the item's own
    // stored flag found first): every one is cleared, then the item's own flag is put back, as
    // only OK writes it.
    const int ownFlag = document.GetItemFlag(serial);
    for (int flagged = document.FindFlaggedItem(serial); flagged >= 0;
         flagged = document.FindFlaggedItem(serial))
        document.SetItemFlag(flagged, 0);
    document.SetItemFlag(serial, ownFlag);
}

bool confirmFontId(const CQuorlyn32Doc& document, int serial, const ResPrefForm& form)
{
    if (form.id < kLowestFontId) {
        refuse(qrl::ids::kFontIdTooLow);
        return false;
    }
    if (form.id <= kHighestWarnedFontId &&
        qrl::ui().message(qrl::text(qrl::ids::kResidentFontRangeWarning), qrl::Buttons::OkCancel,
                          qrl::Icon::Warning) != qrl::Answer::Ok)
        return false;
    if (form.id == form.storedId)
        return true;
    // Font ids and macro ids are separate numbers in the printer, so only fonts can clash.
    for (int i = 0; i < document.GetItemCount(); ++i) {
        const CProjItem* other = document.GetItemAt(i);
        if (other->serial() != serial && document.GetItemKind(other->serial()) == kKindFont &&
            other->record().resourceId == form.id) {
            refuse(qrl::ids::kResourceIdTaken);
            return false;
        }
    }
    return true;
}

ResPrefChange applyForm(CQuorlyn32Doc& document, int serial, const ResPrefForm& form)
{
    ResPrefChange change;
    bool modified = false;
    switch (form.kind) {
    case kKindFont:
        document.SetItemID(serial, form.id);
        document.SetTypefaceID(serial, form.typefaceId);
        if (form.id != form.storedId)
            change.idText = QString::number(form.id);
        if (form.typefaceId != form.storedTypeface)
            change.typefaceText = QString::number(form.typefaceId);
        if (form.subtype == kTrueTypeFont && form.symbolSet >= 0 && form.symbolSet < kSymbolSetCount) {
            document.SetSymbolSet(serial, form.symbolSet);
            modified = form.symbolSet != form.storedSymbolSet;
        }
        modified = modified || !change.idText.isEmpty() || !change.typefaceText.isEmpty();
        break;
    case kKindMacro: {
        const bool tellurade = form.subtype == kTelluradeMacro;
        const std::uint32_t id = tellurade ? 0 : form.storedId;
        document.SetItemID(serial, id);
        document.SetItemFlag(serial, tellurade && form.flag ? 1 : 0);
        // Neither macro kind shows a changed number in the id column: a PCL macro keeps its id
        // and a Tellurade macro's column shows no id.
        modified = id != form.storedId;
        break;
    }
    case kKindForm:
        document.SetItemFlag(serial, form.flag ? 1 : 0);
        break;
    default:
        break;
    }
    if (modified)
        document.SetModifiedFlag(true);
    return change;
}

} // namespace qrl::respref
