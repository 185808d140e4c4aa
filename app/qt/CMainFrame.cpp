#include "CMainFrame.h"

#include "CChildFrame.h"
#include "CQuorlyn32App.h"
#include "CommandIds.h"
#include "FrameActions.h"
#include "ProjectFigures.h"
#include "SettingsKeys.h"
#include "WindowPlacementAdapter.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <utility>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    if (const QScreen* shown = screen())
        resize(firstSize(shown->availableGeometry().size()));
    else
        resize(firstSize(QSize(800, 600)));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    m_actions = std::make_unique<FrameActions>(this);
    createStatusBar();
    connectChildCommands();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    setCapacityPane(this);
}

CMainFrame::~CMainFrame()
{
    // The area reports activations while its sub-windows are torn down after the actions.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    setCapacityPane(nullptr);
}

QSize CMainFrame::firstSize(const QSize& available)
{
    // The frame is not known before the window is shown: room for a title bar and the borders.
    const QSize frameRoom(16, 48);
    return QSize(800, 600).boundedTo(available - frameRoom);
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // Pane 0 is the status bar's own message line (the commands' prompts); pane 1 has no border.
    bar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    m_capacityPane = new QLabel(bar);
    m_capacityPane->setObjectName(QStringLiteral("capacityPane"));
    m_capacityPane->setFrameShape(QFrame::NoFrame);
    // At least the pane's classic width, and wider when a large card's figures need it.
    m_capacityPane->setMinimumWidth(kCapacityPaneWidth);
    bar->addPermanentWidget(m_capacityPane);
}

void CMainFrame::connectChildCommands()
{
    const std::pair<int, void (CChildFrame::*)()> routes[] = {
        {qrl::cmd::kBuild, &CChildFrame::runBuild},
        {qrl::cmd::kProjectSettings, &CChildFrame::runProjectSettings},
        {qrl::cmd::kPrintList, &CChildFrame::runPrintList},
    };
    for (const auto& [id, run] : routes) {
        connect(commandAction(id), &QAction::triggered, this, [this, id = id, run = run] {
            updateCommandStates();
            CChildFrame* child = activeChild();
            QAction* a = commandAction(id);
            if (child && a->isEnabled())
                (child->*run)();
        });
    }
}

bool CMainFrame::UpdateCapacityPane(const ProjectFigures* document, std::uint64_t bytesToAdd)
{
    if (!document)
        return false;
    const bool fits =
        updateCapacityPane(document->settings(), document->itemCount(), document->totalBytes(), bytesToAdd);
    updateCommandStates();
    return fits;
}

void CMainFrame::showCapacityText(const QString& text)
{
    m_capacityPane->setText(text);
}

void CMainFrame::addChildFrame(CChildFrame* child)
{
    m_mdiArea->addSubWindow(child);
    child->show();
    m_mdiArea->setActiveSubWindow(child);
    onSubWindowActivated();
}

CChildFrame* CMainFrame::activeChild() const
{
    // The current sub-window stays current while a dialog is in front of the main window.
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

QAction* CMainFrame::commandAction(int commandId) const
{
    return m_actions->action(commandId);
}

void CMainFrame::connectCommand(int commandId, std::function<void()> handler)
{
    QAction* a = commandAction(commandId);
    if (!a)
        return;
    connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    a->setEnabled(true);
}

void CMainFrame::updateCommandStates()
{
    const CChildFrame* child = activeChild();
    commandAction(qrl::cmd::kBuild)->setEnabled(child && child->canBuild());
    commandAction(qrl::cmd::kProjectSettings)->setEnabled(child != nullptr);
    commandAction(qrl::cmd::kPrintList)->setEnabled(child != nullptr);
    commandAction(qrl::cmd::kFileSave)->setEnabled(theApp().OnUpdateFileSave());
    m_actions->showRecentFiles(theApp().recentFiles().entries());
    emit commandStatesUpdated();
}

void CMainFrame::onSubWindowActivated()
{
    CChildFrame* child = activeChild();
    if (child != m_activeChild) {
        m_activeChild = child;
        emit activeChildChanged(child);
        if (child)
            UpdateCapacityPane(child->project(), 0);
    }
    // The figures belong to a project; once none is open there are none to show.
    if (!child && m_mdiArea->subWindowList().isEmpty())
        m_capacityPane->clear();
    updateCommandStates();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Every project is asked before any closes: Cancel on one leaves all of them open, also those
    // whose question was answered already.
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (qsizetype asked = 0; asked < windows.size(); ++asked) {
        auto* child = qobject_cast<CChildFrame*>(windows[asked]);
        if (child && !child->approveClose()) {
            for (qsizetype i = 0; i < asked; ++i)
                if (auto* earlier = qobject_cast<CChildFrame*>(windows[i]))
                    earlier->withdrawCloseApproval();
            event->ignore();
            return;
        }
    }
    for (QMdiSubWindow* window : windows) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    theApp().beginShutdown();
    qrl::WindowPlacement placement = qrl::captureWindowPlacement(this);
    placement.flags = isMaximized() ? qrl::WindowPlacement::kRestoreToMaximized : 0;
    theApp().mainPlacement().SaveWindowPlacement(qrl::settings::keyText(qrl::settings::kSettingsSection),
                                                 placement);
    QMainWindow::closeEvent(event);
}
