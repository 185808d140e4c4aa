#include "ViewRows.h"

#include "CProjItem.h"
#include "CQuorlyn32Doc.h"
#include "ResourceTypes.h"
#include "TextFormat.h"

namespace qrl::viewrows {

namespace {

QString unsignedText(std::uint32_t value)
{
    return qrl::formatText(QStringLiteral("%lu"), {value});
}

// Fonts and PCL macros carry a resource id the user can see and change; the others have none.
bool hasResourceId(const CProjItem& item)
{
    return item.kind() == kKindFont || item.subtype() == kPclMacro;
}

} // namespace

Row rowOf(const CProjItem& item)
{
    Row row;
    row.serial = item.serial();
    row.image = item.isMissing() ? kMissingImage : kindNumber(item.kind());
    const ItemRecord& record = item.record();
    row.texts[kNameColumn] = item.GetName();
    row.texts[kPathColumn] = item.GetPath();
    row.texts[kSizeColumn] = unsignedText(record.fileSize) + QStringLiteral(" bytes");
    row.texts[kIdColumn] = hasResourceId(item) ? unsignedText(record.resourceId) : QStringLiteral("n/a");
    if (item.kind() == kKindFont)
        row.texts[kTypefaceColumn] = unsignedText(record.typefaceId);
    return row;
}

std::vector<Row> rowsOfKind(const CQuorlyn32Doc& doc, ResourceKind kind)
{
    std::vector<Row> rows;
    for (int i = 0; i < doc.GetItemCount(); ++i) {
        const CProjItem* item = doc.GetItemAt(i);
        if (item->kind() == kind)
            rows.push_back(rowOf(*item));
    }
    return rows;
}

ResourceKind initialKind(const CQuorlyn32Doc& doc)
{
    for (const ResourceKind kind : {kKindFont, kKindMacro, kKindForm, kKindData})
        for (int i = 0; i < doc.GetItemCount(); ++i)
            if (doc.GetItemAt(i)->kind() == kind)
                return kind;
    return kKindData;
}

ResourceKind nextKind(ResourceKind kind, bool backwards)
{
    return *kindOfNumber((kindNumber(kind) + (backwards ? kKindCount - 1 : 1)) % kKindCount);
}

bool showsTypefaceColumn(ResourceKind kind)
{
    return kind == kKindFont;
}

} // namespace qrl::viewrows
