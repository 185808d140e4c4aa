#pragma once

#include "ResourceTypes.h"

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
    ResourceKind kind = kKindFont;
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

// "Font", "Macro", "Form" or "Data" for the four kinds; empty for kKindNone or any other value.
QString kindText(ResourceKind kind);

// The rows of a project's items, in project order.
std::vector<Row> rowsOf(const CQuorlyn32Doc& doc);

// The title on the first page, the column header and its rule on every page, and one row per
// item in steps of 100 from y 540; 57 rows fill a page.
Layout layOut(const std::vector<Row>& rows);

// A print queue as the desktop lists it, with the make and model its scheduler reports.
struct Queue {
    QString name;
    QString makeAndModel;
};

// False for a queue without a driver, which hands the bytes of a job to the printer unchanged:
// the scheduler reports such a queue's make and model as "Local Raw Printer" (or "Raw"), and a
// queue that reports none is not taken for one with a driver either.
bool hasDriver(const QString& makeAndModel);

// The queue the list's print dialog starts on: `current` when it is a queue with a driver, else
// `defaultQueue` when it is one, else the first queue with a driver; empty when no queue has one,
// and the list is then offered as a PDF file.
QString startingQueue(const std::vector<Queue>& queues, const QString& current, const QString& defaultQueue);

// The PDF file first offered for the list: the project file's name with ".pdf", in the project's
// folder; "Resources.pdf" in `folder` for a project not saved yet.
QString pdfFileName(const QString& projectPath, const QString& folder);

} // namespace qrl::printres
