#pragma once

#include "CapacityPane.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class CChildFrame;
class FrameActions;
class ProjectFigures;
class QAction;
class QLabel;
class QMdiArea;

// The program's main window: the project windows (child frames) in a multi-document area, the
// toolbar, and a status bar with the message line and the capacity pane. It is the core's
// CapacityPane while it lives. Closing it asks every project window first (each may ask to save
// its project, and Cancel on any keeps the program and all its projects open), then closes them
// and stores its placement in "Settings".
class CMainFrame : public QMainWindow, public CapacityPane {
    Q_OBJECT
public:
    // The capacity pane's least width; it grows to a longer text.
    static constexpr int kCapacityPaneWidth = 520;

    // The size of a main window without a stored placement: 800 x 600, or less where the screen's
    // available area `available` (less room for the window's frame) is smaller.
    static QSize firstSize(const QSize& available);

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The capacity test of a project with the pane update (see updateCapacityPane): false for no
    // project, or when its files plus `bytesToAdd` exceed its card's capacity.
    bool UpdateCapacityPane(const ProjectFigures* document, std::uint64_t bytesToAdd);
    void showCapacityText(const QString& text) override;
    QLabel* capacityPane() const { return m_capacityPane; }

    // Shows a project window in the multi-document area and makes it the active one.
    void addChildFrame(CChildFrame* child);
    // The project window the frame's commands go to; nullptr when none is open.
    CChildFrame* activeChild() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }

    // The action of a command id (CommandIds.h), nullptr for an unknown id.
    QAction* commandAction(int commandId) const;
    // Hangs a handler on a command and enables it.
    void connectCommand(int commandId, std::function<void()> handler);
    // Enables Build for the active project when it has items, Settings and Print while a project
    // window is open, and Save when the active project is modified; the File menu's recent-file
    // entries follow the application's list.
    void updateCommandStates();

signals:
    // Another project window became the active one (nullptr: none is open any more).
    void activeChildChanged(CChildFrame* child);
    // updateCommandStates() has run: the project window's commands follow with their own states.
    void commandStatesUpdated();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createStatusBar();
    void connectChildCommands();
    void onSubWindowActivated();

    std::unique_ptr<FrameActions> m_actions;
    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_capacityPane = nullptr;
    QPointer<CChildFrame> m_activeChild;
};
