#include "ViewCommands.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CQuorlyn32Doc.h"
#include "CQuorlyn32View.h"
#include "CommandIds.h"
#include "ViewCommandRules.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

ViewCommands::ViewCommands(CMainFrame* frame) : QObject(frame), m_frame(frame)
{
    connectActions();
    connect(frame, &CMainFrame::activeChildChanged, this, &ViewCommands::onActiveChildChanged);
    connect(frame, &CMainFrame::commandStatesUpdated, this, &ViewCommands::applyStates);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, frame, &CMainFrame::updateCommandStates);
    onActiveChildChanged(frame->activeChild());
    frame->updateCommandStates();
}

CQuorlyn32View* ViewCommands::activeView(const CMainFrame& frame)
{
    const CChildFrame* child = frame.activeChild();
    return child ? qobject_cast<CQuorlyn32View*>(child->view()) : nullptr;
}

void ViewCommands::connectActions()
{
    for (QAction* action : m_frame->findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        const int id = action->data().toInt();
        if (qrl::viewcommands::modeOfCommand(id))
            action->setCheckable(true);
        if (qrl::viewcommands::isViewCommand(id)) {
            connect(action, &QAction::triggered, this, [this, id] {
                if (CQuorlyn32View* view = activeView(*m_frame))
                    view->runCommand(id);
                // A click on the current mode's button toggled its check mark off: put it back.
                m_frame->updateCommandStates();
            });
        }
    }
    for (const bool saveAs : {false, true}) {
        m_frame->connectCommand(saveAs ? qrl::cmd::kFileSaveAs : qrl::cmd::kFileSave, [this, saveAs] {
            if (CQuorlyn32View* view = activeView(*m_frame))
                view->saveDocument(saveAs);
        });
    }
}

void ViewCommands::onActiveChildChanged(CChildFrame*)
{
    disconnect(m_viewStates);
    m_view = activeView(*m_frame);
    CQuorlyn32Doc::SetActive(m_view ? m_view->GetDocument() : nullptr);
    if (m_view)
        m_viewStates =
            connect(m_view, &CQuorlyn32View::commandStatesChanged, m_frame, &CMainFrame::updateCommandStates);
}

void ViewCommands::applyStates()
{
    CQuorlyn32View* view = activeView(*m_frame);
    const qrl::viewcommands::ViewState state = view ? view->commandState() : qrl::viewcommands::ViewState{};
    for (QAction* action : m_frame->findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        const int id = action->data().toInt();
        if (qrl::viewcommands::isViewCommand(id))
            action->setEnabled(view && qrl::viewcommands::isEnabled(id, state));
        if (action->isCheckable())
            action->setChecked(view && qrl::viewcommands::isChecked(id, state));
    }
    m_frame->commandAction(qrl::cmd::kFileSaveAs)->setEnabled(view != nullptr);
}
