#include "CMainFrame.h"

#include "CQuorlyn32App.h"
#include "WindowPlacementAdapter.h"

#include <QCloseEvent>

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    resize(800, 600);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    theApp().mainPlacement().SaveWindowPlacement(QStringLiteral("Settings"), qrl::captureWindowPlacement(this));
    QMainWindow::closeEvent(event);
}
