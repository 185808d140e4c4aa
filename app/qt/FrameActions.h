#pragma once

#include "RecentFileList.h"

#include <QHash>
#include <QStringList>

class QAction;
class QMainWindow;
class QToolBar;

// The main frame's commands: one action per command id, with the id as its data, an object
// name, a tool tip and a status prompt. Builds the toolbar (in its fixed order) and the menus
// from the same table. Every action starts disabled; the frame enables those it handles.
class FrameActions {
public:
    // Makes the actions, the toolbar "mainToolBar" docked at the top and the menus of `frame`.
    explicit FrameActions(QMainWindow* frame);

    // The action of a command id; nullptr for an id without one.
    QAction* action(int commandId) const;
    QToolBar* toolBar() const { return m_toolBar; }
    // The File menu's recent-file entries show these paths, newest first; entries beyond them
    // are hidden, and so is their separator while there are none.
    void showRecentFiles(const QStringList& paths);

    static constexpr int kRecentFileCount = qrl::RecentFileList::kMaxEntries;

private:
    void createActions(QMainWindow* frame);
    void createToolBar(QMainWindow* frame);
    void createMenus(QMainWindow* frame);

    QHash<int, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QAction* m_recentSeparator = nullptr;
};
