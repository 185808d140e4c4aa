#pragma once

#include "AppTextIds.h"
#include "ResourceTypes.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CProjItem;
class CQuorlyn32Doc;

// What the project window shows of a project: its list columns, one row per item of the chosen
// resource kind, and the choice of the kind (tab). Plain functions over the document, so the view
// widget only copies their answers into its list.
namespace qrl::viewrows {

using ::kKindCount;

enum Column : int { kNameColumn, kPathColumn, kSizeColumn, kIdColumn, kTypefaceColumn, kColumnCount };

struct ColumnSpec {
    int titleId; // string table id of the header text
    bool rightAligned;
    int width; // pixels, fixed
};

// The five columns in order: "Description", "File Name", "Size", "ID", "Typeface ID".
inline constexpr std::array<ColumnSpec, kColumnCount> kColumns = {{
    {qrl::ids::kListDescriptionColumn, false, 150},
    {qrl::ids::kListFileNameColumn, false, 200},
    {qrl::ids::kListSizeColumn, true, 100},
    {qrl::ids::kListIdColumn, true, 90},
    {qrl::ids::kListTypefaceIdColumn, true, 90},
}};

// The image of a row whose item's file is missing (the kinds are 0 to 3).
inline constexpr int kMissingImage = 4;

struct Row {
    std::int32_t serial = -1; // the item's serial: every command finds its item by it
    int image = 0;
    std::array<QString, kColumnCount> texts;
};

// The row of one item: its name, the kind's image (4 for a missing file), the full path, the
// size as "%lu bytes", the id ("n/a" for Tellurade macros, forms and program data) and the
// typeface id.
Row rowOf(const CProjItem& item);
// The rows of every item of `kind`, in project order.
std::vector<Row> rowsOfKind(const CQuorlyn32Doc& doc, ResourceKind kind);
// The tab a project window opens on: the first kind in tab order that has items; program data
// when none has.
ResourceKind initialKind(const CQuorlyn32Doc& doc);
// The tab after `kind` (data goes to fonts), or before it when `backwards` (fonts go to data).
ResourceKind nextKind(ResourceKind kind, bool backwards);
// The "Typeface ID" column belongs to the fonts tab only.
bool showsTypefaceColumn(ResourceKind kind);

} // namespace qrl::viewrows
