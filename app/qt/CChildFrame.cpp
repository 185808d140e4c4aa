#include "CChildFrame.h"

#include "AppTextIds.h"
#include "BuildDocument.h"
#include "CBuildDlg.h"
#include "CPrintRes.h"
#include "CProjSettDlg.h"
#include "CQRLTabCtrl.h"
#include "CQuorlyn32Doc.h"
#include "CommandIds.h"
#include "ProjectFigures.h"
#include "ProjectSettingsForm.h"
#include "StringTable.h"
#include "ToolbarIcons.h"
#include "UserInterface.h"

#include <QCloseEvent>
#include <QEvent>

#include <new>
#include <utility>

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("childFrame"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A project window carries the page of a new project, not the toolkit's emblem.
    setWindowIcon(qrl::icons::toolbarIcon(qrl::cmd::kFileNew));
    m_client = new QWidget;
    m_client->setObjectName(QStringLiteral("childClient"));
    m_client->installEventFilter(this);
    setWidget(m_client);
    createTabStrip();
    // Room for the four tabs and a few rows until the user sizes the window.
    resize(kDefaultWidth, kDefaultHeight);
    layoutClient();
}

void CChildFrame::createTabStrip()
{
    m_tabs = new (std::nothrow) CQRLTabCtrl(m_client);
    if (!m_tabs) {
        qrl::ui().message(qrl::text(qrl::ids::kCannotCreateTabs), qrl::Buttons::Ok, qrl::Icon::Error);
        return;
    }
    for (int kind = 0; kind < CQRLTabCtrl::kTabCount; ++kind) {
        if (m_tabs->insertTab(kind, QString()) != kind)
            qrl::ui().message(qrl::text(qrl::ids::kInsertFailed), qrl::Buttons::Ok, qrl::Icon::Error);
    }
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            emit tabSelected(index);
    });
}

void CChildFrame::setView(QWidget* view)
{
    if (m_view == view)
        return;
    delete m_view;
    m_view = view;
    if (m_view) {
        m_view->setParent(m_client);
        m_view->show();
    }
    layoutClient();
}

bool CChildFrame::canBuild() const
{
    return m_project && m_project->itemCount() > 0;
}

void CChildFrame::runBuild()
{
    if (!m_buildDocument || !canBuild())
        return;
    CBuildDlg dialog(*m_buildDocument, this);
    dialog.setConfigure([&dialog](MediaOffer mode) { return CProjSettDlg::run(&dialog, mode); });
    dialog.exec();
}

void CChildFrame::runProjectSettings()
{
    CProjSettDlg::run(this, MediaOffer::All);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::setBuildDocument(std::unique_ptr<qrl::build::BuildDocument> document)
{
    m_buildDocument = std::move(document);
}

void CChildFrame::runPrintList()
{
    if (CQuorlyn32Doc* doc = CQuorlyn32Doc::GetActive())
        CPrintRes::run(this, *doc);
}

bool CChildFrame::approveClose()
{
    m_closeApproved = !m_closeGuard || m_closeGuard();
    return m_closeApproved;
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    const bool approved = std::exchange(m_closeApproved, false);
    if (!approved && m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutClient();
    return QMdiSubWindow::eventFilter(watched, event);
}

void CChildFrame::layoutClient()
{
    const QRect area = m_client->rect();
    const int viewHeight = std::max(0, area.height() - kTabStripHeight);
    if (m_tabs)
        m_tabs->setGeometry(area.left(), area.top() + viewHeight, area.width(), area.height() - viewHeight);
    if (m_view)
        m_view->setGeometry(area.left(), area.top(), area.width(), viewHeight);
}
