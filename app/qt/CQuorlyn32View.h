#pragma once

#include "CQRLDropSrc.h"
#include "ResourceTypes.h"
#include "ViewCommandRules.h"

#include <QElapsedTimer>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <functional>

class CChildFrame;
class CQuorlyn32Doc;
class QAbstractItemView;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QListView;
class QMouseEvent;
class QStackedLayout;
class QStandardItemModel;
class QTreeView;

namespace qrl::viewrows {
struct Row;
}

// The view of a project in its child frame: the project's items of one resource kind at a time
// (the frame's tab), in one of four view modes, and most of the user's commands on the project.
// Every row carries its item's serial, by which each command finds the item; row positions are
// never used as serials. What the rows show, the enabling and the add roads are plain functions
// (ViewRows, ViewCommandRules, ViewAddLoop); this class puts them on the screen.
class CQuorlyn32View : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSerialRole = Qt::UserRole + 1;

    // A view of `doc` (not owned; the frame owns it) on `frame`, whose title it keeps (the
    // project's name, "*" while modified) and whose closing it guards with the save question.
    CQuorlyn32View(CQuorlyn32Doc* doc, CChildFrame* frame);
    ~CQuorlyn32View() override;

    CQuorlyn32Doc* GetDocument() const { return m_doc; }

    // Shows the first kind that has items (program data for an empty project).
    void OnInitialUpdate();
    // Fills the list with the items of `kind` in project order and selects that tab; true when at
    // least one row was added. In details the "Typeface ID" column stands on the fonts tab only.
    bool RefreshList(ResourceKind kind);
    ResourceKind currentKind() const { return m_kind; }
    // Shows the list in a mode (qrl::viewcommands::ViewMode) and stores it as "ListStyle".
    void SetViewMode(int mode);
    int viewMode() const { return m_mode; }

    // Adds one file as a drop does: the refusal's message, or the new item's tab and the
    // modified mark. True when it was added.
    bool AddDroppedFile(const QString& path);
    // Adds the files of a pasted or dropped list.
    void addFileList(const QStringList& files);
    // Adds the enable and the disable file a CCPY or EMCR creator wrote.
    void addCreatorResults(const QString& enablePath, const QString& disablePath);
    // False, after message kCannotAddFolder, for a folder.
    static bool IsNotFolder(const QString& path);

    // The large image of a row's kind (the properties dialog shows it).
    QIcon GetItemIcon(int row) const;
    // Column 3 (the id) or 4 (the typeface id) of the first selected row.
    void SetSelectedItemId(const QString& text);
    void SetSelectedItemTypeface(const QString& text);

    // The serials of the selected rows, top to bottom.
    QList<int> selectedSerials() const;
    int serialOfRow(int row) const;

    // Runs a command of the project window by id (CommandIds.h); unknown ids do nothing.
    void runCommand(int commandId);
    qrl::viewcommands::ViewState commandState() const;
    // Saves the project (under a new name for `saveAs`) and shows the new title.
    bool saveDocument(bool saveAs);

    // The commands.
    void OnAddResource();
    void OnDeleteItems();
    void OnRename();
    void OnOpenItem();
    void OnProperties();
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnSelectAll();
    void OnProjectSettings();
    void OnBuild();
    void OnPrinterTools();
    void OnCcpyCreator();
    void OnEmcrCreator();
    void OnFontDownloader();

    QStandardItemModel* model() const { return m_model; }
    QListView* listView() const { return m_list; }
    QTreeView* detailsView() const { return m_tree; }
    // The list or the details view, whichever the mode shows.
    QAbstractItemView* itemView() const;

signals:
    // The selection, the rows or the project's modified mark changed: the commands' enabling may.
    void commandStatesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class NameDelegate;

    void createViews();
    void applyViewMode(int mode);
    void appendRow(const qrl::viewrows::Row& row);
    void selectTab(ResourceKind kind);
    void updateTitle();
    std::function<void(ResourceKind)> showKind();
    int firstSelectedSerial() const;
    void setSelectedCell(int column, const QString& text);
    QStringList selectedPaths() const;

    // Label editing of a row's name.
    void renameFromEditor(const QModelIndex& index, const QString& text);
    void editingEnded();

    // Input: keys, the press-and-drag of items, the context menus.
    bool handleKey(QKeyEvent* event);
    bool handleMouse(QAbstractItemView* view, QMouseEvent* event);
    void showContextMenu(QAbstractItemView* view, const QPoint& position);
    void startDragOut();
    bool acceptsDrag(const QDropEvent* event) const;

    CQuorlyn32Doc* m_doc;
    QPointer<CChildFrame> m_frame;
    QStandardItemModel* m_model = nullptr;
    QStackedLayout* m_stack = nullptr;
    QListView* m_list = nullptr;
    QTreeView* m_tree = nullptr;
    ResourceKind m_kind = kKindNone;
    int m_mode = qrl::viewcommands::kLargeIcons;
    bool m_refreshing = false;
    // The editor of a name while it is open: until it closed after storing the name, or went
    // with its row.
    QPointer<QWidget> m_nameEditor;
    CQRLDropSrc m_dropSource;
    QElapsedTimer m_clock;
    // A press on an item that the view took over (selection on release, or a drag).
    QPersistentModelIndex m_pressedIndex;
};
