#include "ColumnWidths.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#include <algorithm>

namespace qrl {

namespace {

// The width the style gives a cell of this text, as the list's own items measure theirs.
int cellWidth(const QTreeWidget* list, const QString& text)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.fontMetrics = list->fontMetrics();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    return list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), list).width();
}

} // namespace

void widenColumnToTexts(QTreeWidget* list, int column, const QStringList& moreTexts)
{
    // The tree hides its override; the view's public one gives the same answer.
    const QAbstractItemView* view = list;
    int width = std::max(list->header()->sectionSizeHint(column), view->sizeHintForColumn(column));
    for (const QString& text : moreTexts)
        width = std::max(width, cellWidth(list, text));
    if (width > list->columnWidth(column))
        list->setColumnWidth(column, width);
}

} // namespace qrl
