#include "ItemRename.h"

#include "CQuorlyn32Doc.h"
#include "ResourceTypes.h"

namespace qrl::itemrename {

bool canEditName(int subtype)
{
    return subtype != kPclMacro && subtype != kTelluradeMacro;
}

std::optional<QString> renameItem(CQuorlyn32Doc& doc, int serial, const QString& text)
{
    if (text.isEmpty() || !doc.GetItem(serial) || !canEditName(doc.GetItemSubtype(serial)))
        return std::nullopt;
    if (!doc.SetItemName(serial, text))
        return std::nullopt;
    return doc.GetItemName(serial);
}

} // namespace qrl::itemrename
