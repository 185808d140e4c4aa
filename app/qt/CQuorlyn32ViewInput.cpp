// The project window's keys, mouse, context menus and drag and drop.
#include "CQuorlyn32View.h"
#include "DesktopLauncher.h"

#include "CChildFrame.h"
#include "CQuorlyn32Doc.h"
#include "FileListMime.h"
#include "ViewMenus.h"
#include "ViewRows.h"

#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeView>

bool CQuorlyn32View::eventFilter(QObject* watched, QEvent* event)
{
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_list), static_cast<QAbstractItemView*>(m_tree)}) {
        if (watched == view && event->type() == QEvent::KeyPress)
            return handleKey(static_cast<QKeyEvent*>(event));
        if (watched == view->viewport()) {
            switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
                return handleMouse(view, static_cast<QMouseEvent*>(event));
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Tab and Shift+Tab go round the four tabs; Enter opens the first selected item. Keys typed into
// a name being edited go to its editor first; the Enter that ends the edit comes on to the list
// while the name is still being stored, and only ends the edit.
bool CQuorlyn32View::handleKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool backwards = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        RefreshList(qrl::viewrows::nextKind(m_kind, backwards));
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_nameEditor)
            OnOpenItem();
        return true;
    case Qt::Key_Escape:
        m_dropSource.onEscape();
        return false;
    default:
        return false;
    }
}

// A plain left press on an item selects it (keeping a selection it belongs to, so that all of it
// can be dragged) and arms the drag; the release of an undragged press then selects that item
// alone. Presses with modifiers, on empty space or of other buttons go to the list as they are.
bool CQuorlyn32View::handleMouse(QAbstractItemView* view, QMouseEvent* event)
{
    const QModelIndex index = view->indexAt(event->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (event->button() != Qt::LeftButton || !index.isValid())
            return false;
        m_dropSource.disarm();
        m_pressedIndex = QPersistentModelIndex();
        OnOpenItem();
        return true;
    case QEvent::MouseButtonPress: {
        if (m_dropSource.onButtonChange() == CQRLDropSrc::Decision::Cancel)
            m_pressedIndex = QPersistentModelIndex();
        if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier || !index.isValid())
            return false;
        view->setFocus(Qt::MouseFocusReason);
        QItemSelectionModel* selection = view->selectionModel();
        const QModelIndex row = index.siblingAtColumn(qrl::viewrows::kNameColumn);
        if (!selection->isRowSelected(row.row()))
            selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
        m_pressedIndex = row;
        m_dropSource.arm(event->position().toPoint(), m_clock.elapsed());
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dropSource.isArmed())
            return false;
        const CQRLDropSrc::Decision decision =
            m_dropSource.onMove(event->position().toPoint(), event->buttons(), m_clock.elapsed());
        if (decision == CQRLDropSrc::Decision::Start) {
            m_pressedIndex = QPersistentModelIndex();
            startDragOut();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const bool armed = m_dropSource.onButtonChange() == CQRLDropSrc::Decision::Cancel;
        if (!m_pressedIndex.isValid())
            return false;
        if (armed && event->button() == Qt::LeftButton)
            view->selectionModel()->setCurrentIndex(m_pressedIndex, QItemSelectionModel::ClearAndSelect |
                                                                        QItemSelectionModel::Rows);
        m_pressedIndex = QPersistentModelIndex();
        return true;
    }
    default:
        return false;
    }
}

void CQuorlyn32View::showContextMenu(QAbstractItemView* view, const QPoint& position)
{
    const bool overRow = view->indexAt(position).isValid();
    qrl::viewcommands::ViewState state = commandState();
    if (overRow) {
        const int serial = firstSelectedSerial();
        state.openable =
            serial >= 0 && !desktopLauncher().registeredViewer(m_doc->GetItemPath(serial)).isEmpty();
    }
    const std::unique_ptr<QMenu> menu = qrl::viewmenus::contextMenu(
        overRow, state, [this](int id) { runCommand(id); }, this);
    menu->exec(view->viewport()->mapToGlobal(position));
}

void CQuorlyn32View::startDragOut()
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty())
        return;
    if (m_frame)
        m_frame->setDragSourceView(this);
    auto* drag = new QDrag(this);
    drag->setMimeData(qrl::filelist::mimeOf(paths).release());
    drag->exec(Qt::CopyAction);
    // The record names the drag that is under way; once it ended, this view takes drops again.
    if (m_frame)
        m_frame->setDragSourceView(nullptr);
}

bool CQuorlyn32View::acceptsDrag(const QDropEvent* event) const
{
    // Items dragged out of this list would only come back into it.
    if (m_frame && m_frame->dragSourceView() == this)
        return false;
    return qrl::filelist::hasFiles(event->mimeData());
}

void CQuorlyn32View::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void CQuorlyn32View::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_frame)
        m_frame->raise();
    if (!acceptsDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CQuorlyn32View::dropEvent(QDropEvent* event)
{
    if (!acceptsDrag(event)) {
        event->ignore();
        return;
    }
    const QStringList files = qrl::filelist::filesOf(event->mimeData());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The adds may ask questions: they run once the drop itself is over, so the program the files
    // came from is not kept waiting behind a message box.
    QMetaObject::invokeMethod(
        this,
        [this, files] {
            addFileList(files);
            window()->raise();
            window()->activateWindow();
        },
        Qt::QueuedConnection);
}
