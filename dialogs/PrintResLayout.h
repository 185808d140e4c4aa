#pragma once

#include <QString>
#include <Qt>

#include <cstdint>
#include <vector>

class CQuorlyn32Doc;

// The printed list of a project's resources, laid out in the printer's device units (x to the
// right, y downwards) before anything is drawn, so the layout is checked without a printer.
namespace qrl::printres {

inline constexpr const char* kDocumentName = "List Resources in the Project";
// The layout's units: its coordinates fill a letter or A4 page at this resolution, whatever the
// printer's own is.
inline constexpr int kUnitsPerInch = 600;

// One item of the list.
struct Row {
    QString name;
    std::uint32_t fileSize = 0;
    int kind = 0;
    QString path;
};

// A text whose top left corner stands at (x, y) on page `page` (0 first). A text wider than
// `width` (0: no limit) is elided, so that it never runs into the next column.
struct Text {
    int page = 0;
    int x = 0;
    int y = 0;
    QString text;
    int width = 0;
    Qt::TextElideMode elide = Qt::ElideRight;
};

struct Rule {
    int page = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Layout {
    int pageCount = 1;
    std::vector<Text> texts;
    std::vector<Rule> rules;
};

// "Font", "Macro", "Form" or "Data" for kinds 0 to 3; empty for any other kind.
QString kindText(int kind);

// The rows of a project's items, in project order.
std::vector<Row> rowsOf(const CQuorlyn32Doc& doc);

// The title on the first page, the column header and its rule on every page, and one row per
// item in steps of 100 from y 540; 57 rows fill a page.
Layout layOut(const std::vector<Row>& rows);

} // namespace qrl::printres
