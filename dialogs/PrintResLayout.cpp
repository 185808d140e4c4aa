#include "PrintResLayout.h"

#include "CProjItem.h"
#include "CQuorlyn32Doc.h"

#include <QDir>
#include <QFileInfo>

namespace qrl::printres {

namespace {

constexpr int kTitleX = 1500;
constexpr int kTitleY = 140;
constexpr int kHeaderY = 340;
constexpr int kRuleY = 445;
constexpr int kRuleLeft = 200;
constexpr int kRuleRight = 4200;
constexpr int kFirstRowY = 540;
constexpr int kRowStep = 100;
constexpr int kPageEndY = 6240;

// Room kept free before the next column.
constexpr int kColumnGap = 40;

struct ColumnX {
    const char* title;
    int x;
    int width;
    Qt::TextElideMode elide;
};
// The path keeps its file name and its start; the other columns keep their start. The last column
// ends with the rule under the header.
constexpr ColumnX kColumns[] = {{"Description", 200, 1200 - 200 - kColumnGap, Qt::ElideRight},
                                {"Size", 1200, 1700 - 1200 - kColumnGap, Qt::ElideRight},
                                {"Type", 1700, 2200 - 1700 - kColumnGap, Qt::ElideRight},
                                {"Filename", 2200, kRuleRight - 2200, Qt::ElideMiddle}};

void addHeader(Layout& layout, int page)
{
    for (const ColumnX& column : kColumns)
        layout.texts.push_back({page, column.x, kHeaderY, QString::fromLatin1(column.title)});
    layout.rules.push_back({page, kRuleLeft, kRuleY, kRuleRight, kRuleY});
}

} // namespace

QString kindText(ResourceKind kind)
{
    static const char* const names[kKindCount] = {"Font", "Macro", "Form", "Data"};
    if (!kindOfNumber(kindNumber(kind)))
        return {};
    return QString::fromLatin1(names[kindNumber(kind)]);
}

std::vector<Row> rowsOf(const CQuorlyn32Doc& doc)
{
    std::vector<Row> rows;
    for (int i = 0; i < doc.GetItemCount(); ++i) {
        const CProjItem* item = doc.GetItemAt(i);
        if (item)
            rows.push_back({item->GetName(), item->record().fileSize, item->kind(), item->GetPath()});
    }
    return rows;
}

Layout layOut(const std::vector<Row>& rows)
{
    Layout layout;
    int page = 0;
    layout.texts.push_back({page, kTitleX, kTitleY, QStringLiteral("A LIST OF RESOURCES IN A PROJECT")});
    addHeader(layout, page);
    int y = kFirstRowY - kRowStep;
    for (const Row& row : rows) {
        y += kRowStep;
        if (y == kPageEndY) {
            ++page;
            addHeader(layout, page);
            y = kFirstRowY;
        }
        const QString cells[] = {row.name, QString::number(row.fileSize), kindText(row.kind), row.path};
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            layout.texts.push_back({page, kColumns[c].x, y, cells[c], kColumns[c].width, kColumns[c].elide});
    }
    layout.pageCount = page + 1;
    return layout;
}

bool hasDriver(const QString& makeAndModel)
{
    const QString model = makeAndModel.trimmed();
    return !model.isEmpty() && model.compare(QLatin1String("Local Raw Printer"), Qt::CaseInsensitive) != 0 &&
           model.compare(QLatin1String("Raw"), Qt::CaseInsensitive) != 0;
}

QString startingQueue(const std::vector<Queue>& queues, const QString& current, const QString& defaultQueue)
{
    const auto withDriver = [&queues](const QString& name) {
        for (const Queue& queue : queues)
            if (queue.name == name)
                return hasDriver(queue.makeAndModel);
        return false;
    };
    if (!current.isEmpty() && withDriver(current))
        return current;
    if (!defaultQueue.isEmpty() && withDriver(defaultQueue))
        return defaultQueue;
    for (const Queue& queue : queues)
        if (hasDriver(queue.makeAndModel))
            return queue.name;
    return QString();
}

QString pdfFileName(const QString& projectPath, const QString& folder)
{
    if (projectPath.isEmpty())
        return QDir(folder).filePath(QStringLiteral("Resources.pdf"));
    const QFileInfo project(projectPath);
    return project.dir().filePath(project.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace qrl::printres
