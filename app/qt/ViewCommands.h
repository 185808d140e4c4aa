#pragma once

#include <QObject>
#include <QPointer>

class CChildFrame;
class CMainFrame;
class CQuorlyn32View;

// Hangs the project window's commands on the main frame's actions: each runs in the active
// project window's view, and their enabling and check marks follow that view (all disabled
// while no project window is open). Also File Save and Save As, and the active project of the
// core (CQuorlyn32Doc::SetActive). A child of the main frame.
class ViewCommands : public QObject {
public:
    explicit ViewCommands(CMainFrame* frame);

    // The view of the main frame's active project window; nullptr when none is open.
    static CQuorlyn32View* activeView(const CMainFrame& frame);

private:
    void connectActions();
    void onActiveChildChanged(CChildFrame* child);
    void applyStates();

    CMainFrame* m_frame;
    QPointer<CQuorlyn32View> m_view;
    QMetaObject::Connection m_viewStates;
};
