#include "CQuorlyn32View.h"

#include "AppTextIds.h"
#include "CChildFrame.h"
#include "CQRLTabCtrl.h"
#include "CQuorlyn32Doc.h"
#include "DocumentRoads.h"
#include "ImageLists.h"
#include "ItemRename.h"
#include "StringTable.h"
#include "ViewRows.h"

#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QMetaProperty>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <optional>

namespace {

// Spacing of the large icons: room for a 32 pixel image and two lines of its name.
constexpr QSize kLargeIconGrid(96, 72);

// The lists in use, or lists of this view's own before the program's shell made them.
const ImageLists& lists()
{
    if (const ImageLists* shared = imageLists())
        return *shared;
    static const ImageLists own;
    return own;
}

} // namespace

// Label editing of the name column: the view stores the new name in the project and the row
// shows the name as stored.
class NameDelegate : public QStyledItemDelegate {
public:
    explicit NameDelegate(CQuorlyn32View* view) : QStyledItemDelegate(view), m_view(view)
    {
        connect(this, &QAbstractItemDelegate::closeEditor, view, [view] { view->editingEnded(); });
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_view->m_nameEditor = editor;
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const QByteArray property = editor->metaObject()->userProperty().name();
        m_view->renameFromEditor(index, editor->property(property.constData()).toString());
    }

private:
    CQuorlyn32View* m_view;
};

CQuorlyn32View::CQuorlyn32View(CQuorlyn32Doc* doc, CChildFrame* frame)
    : QWidget(frame), m_doc(doc), m_frame(frame),
      m_dropSource(QApplication::startDragDistance(), QApplication::startDragTime())
{
    setObjectName(QStringLiteral("projectView"));
    setAcceptDrops(true);
    m_clock.start();
    createViews();
    applyViewMode(qrl::viewcommands::storedViewMode());
    connect(m_doc, &CQuorlyn32Doc::modifiedChanged, this, [this] {
        updateTitle();
        emit commandStatesChanged();
    });
    if (m_frame) {
        connect(m_frame, &CChildFrame::tabSelected, this, [this](int index) {
            if (const std::optional<ResourceKind> kind = kindOfNumber(index))
                RefreshList(*kind);
        });
        m_frame->setCloseGuard([this] { return qrl::docroads::mayClose(*m_doc); });
    }
    updateTitle();
}

CQuorlyn32View::~CQuorlyn32View()
{
    // The lists and the model go after this; what they report on their way out changes no
    // command of a main frame that may itself be going.
    disconnect(this, &CQuorlyn32View::commandStatesChanged, nullptr, nullptr);
    m_list->selectionModel()->disconnect(this);
}

void CQuorlyn32View::createViews()
{
    m_model = new QStandardItemModel(0, qrl::viewrows::kColumnCount, this);
    for (int c = 0; c < qrl::viewrows::kColumnCount; ++c) {
        const qrl::viewrows::ColumnSpec& column = qrl::viewrows::kColumns[static_cast<std::size_t>(c)];
        auto* header = new QStandardItem(qrl::text(column.titleId));
        header->setTextAlignment((column.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        m_model->setHorizontalHeaderItem(c, header);
    }

    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("itemList"));
    m_list->setModel(m_model);
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);

    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("itemDetails"));
    for (QWidget* view : {static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_tree)})
        view->setAccessibleName(qrl::text(qrl::ids::kItemListName));
    m_tree->setModel(m_model);
    m_tree->setSelectionModel(m_list->selectionModel());
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setIconSize(QSize(ImageLists::kSmallSize, ImageLists::kSmallSize));
    QHeaderView* header = m_tree->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    for (int c = 0; c < qrl::viewrows::kColumnCount; ++c)
        header->resizeSection(c, qrl::viewrows::kColumns[static_cast<std::size_t>(c)].width);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_list), static_cast<QAbstractItemView*>(m_tree)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed);
        view->setItemDelegate(new NameDelegate(this));
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& position) { showContextMenu(view, position); });
    }
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CQuorlyn32View::commandStatesChanged);

    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_tree);
}

void CQuorlyn32View::OnInitialUpdate()
{
    RefreshList(qrl::viewrows::initialKind(*m_doc));
}

bool CQuorlyn32View::RefreshList(ResourceKind kind)
{
    if (m_refreshing || !kindOfNumber(kindNumber(kind)))
        return false;
    m_refreshing = true;
    m_kind = kind;
    m_model->removeRows(0, m_model->rowCount());
    for (const qrl::viewrows::Row& row : qrl::viewrows::rowsOfKind(*m_doc, kind))
        appendRow(row);
    selectTab(kind);
    m_tree->setColumnHidden(qrl::viewrows::kTypefaceColumn, !qrl::viewrows::showsTypefaceColumn(kind));
    m_refreshing = false;
    emit commandStatesChanged();
    return m_model->rowCount() > 0;
}

void CQuorlyn32View::appendRow(const qrl::viewrows::Row& row)
{
    QList<QStandardItem*> cells;
    for (int c = 0; c < qrl::viewrows::kColumnCount; ++c) {
        auto* cell = new QStandardItem(row.texts[static_cast<std::size_t>(c)]);
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (qrl::viewrows::kColumns[static_cast<std::size_t>(c)].rightAligned)
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cells.append(cell);
    }
    QStandardItem* name = cells.first();
    name->setIcon(lists().icon(row.image));
    name->setData(row.serial, kSerialRole);
    if (qrl::itemrename::canEditName(m_doc->GetItemSubtype(row.serial)))
        name->setFlags(name->flags() | Qt::ItemIsEditable);
    m_model->appendRow(cells);
}

void CQuorlyn32View::selectTab(ResourceKind kind)
{
    CQRLTabCtrl* tabs = m_frame ? m_frame->tabStrip() : nullptr;
    if (!tabs)
        return;
    // The strip reports a change of tab as the user's choice; this one is the list's own.
    const QSignalBlocker blocker(tabs);
    tabs->setCurrentIndex(kindNumber(kind));
    tabs->update();
}

void CQuorlyn32View::SetViewMode(int mode)
{
    if (mode == m_mode || mode < 0 || mode >= qrl::viewcommands::kViewModeCount)
        return;
    applyViewMode(mode);
    qrl::viewcommands::storeViewMode(mode);
    emit commandStatesChanged();
}

void CQuorlyn32View::applyViewMode(int mode)
{
    m_mode = mode;
    if (mode == qrl::viewcommands::kDetails) {
        m_stack->setCurrentWidget(m_tree);
        setFocusProxy(m_tree);
        return;
    }
    const bool large = mode == qrl::viewcommands::kLargeIcons;
    m_list->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_list->setMovement(QListView::Static);
    m_list->setFlow(mode == qrl::viewcommands::kList ? QListView::TopToBottom : QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setWordWrap(large);
    m_list->setGridSize(large ? kLargeIconGrid : QSize());
    const int iconSize = large ? ImageLists::kLargeSize : ImageLists::kSmallSize;
    m_list->setIconSize(QSize(iconSize, iconSize));
    m_stack->setCurrentWidget(m_list);
    setFocusProxy(m_list);
}

QAbstractItemView* CQuorlyn32View::itemView() const
{
    return m_mode == qrl::viewcommands::kDetails ? static_cast<QAbstractItemView*>(m_tree) : m_list;
}

int CQuorlyn32View::serialOfRow(int row) const
{
    const QStandardItem* cell = m_model->item(row, qrl::viewrows::kNameColumn);
    return cell ? cell->data(kSerialRole).toInt() : -1;
}

QList<int> CQuorlyn32View::selectedSerials() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows(qrl::viewrows::kNameColumn))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QList<int> serials;
    for (const int row : rows)
        serials.append(serialOfRow(row));
    return serials;
}

int CQuorlyn32View::firstSelectedSerial() const
{
    const QList<int> serials = selectedSerials();
    return serials.isEmpty() ? -1 : serials.first();
}

QStringList CQuorlyn32View::selectedPaths() const
{
    QStringList paths;
    for (const int serial : selectedSerials())
        paths.append(m_doc->GetItemPath(serial));
    return paths;
}

QIcon CQuorlyn32View::GetItemIcon(int row) const
{
    const int kind = kindNumber(m_doc->GetItemKind(serialOfRow(row)));
    const QList<QPixmap>& large = lists().largeImages();
    return kind >= 0 && kind < large.size() ? QIcon(large.at(kind)) : QIcon();
}

void CQuorlyn32View::setSelectedCell(int column, const QString& text)
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows(qrl::viewrows::kNameColumn);
    if (rows.isEmpty())
        return;
    const int first = std::min_element(rows.begin(), rows.end())->row();
    if (QStandardItem* cell = m_model->item(first, column))
        cell->setText(text);
}

void CQuorlyn32View::SetSelectedItemId(const QString& text)
{
    setSelectedCell(qrl::viewrows::kIdColumn, text);
}

void CQuorlyn32View::SetSelectedItemTypeface(const QString& text)
{
    setSelectedCell(qrl::viewrows::kTypefaceColumn, text);
}

void CQuorlyn32View::renameFromEditor(const QModelIndex& index, const QString& text)
{
    const int serial = index.data(kSerialRole).toInt();
    if (const std::optional<QString> stored = qrl::itemrename::renameItem(*m_doc, serial, text))
        m_model->setData(index, *stored, Qt::DisplayRole);
}

void CQuorlyn32View::editingEnded()
{
    m_nameEditor = nullptr;
    // Also after a cancelled edit, as the list has always done.
    m_doc->SetModifiedFlag(true);
}

void CQuorlyn32View::updateTitle()
{
    if (m_frame)
        m_frame->setWindowTitle(qrl::docroads::projectTitle(*m_doc));
}
