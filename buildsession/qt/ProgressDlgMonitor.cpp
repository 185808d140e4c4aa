#include "ProgressDlgMonitor.h"

#include "CProgressDlg.h"

namespace qrl::build {

ProgressDlgMonitor::ProgressDlgMonitor(QWidget* parent) : m_parent(parent)
{
}

ProgressDlgMonitor::~ProgressDlgMonitor() = default;

void ProgressDlgMonitor::open()
{
    BuildMonitor::open();
    m_window = std::make_unique<CProgressDlg>(m_parent);
    m_window->showNow();
}

void ProgressDlgMonitor::close()
{
    BuildMonitor::close();
    m_window.reset();
}

void ProgressDlgMonitor::setStatusText(const QString& text)
{
    BuildMonitor::setStatusText(text);
    if (m_window)
        m_window->SetStatusText(text);
}

void ProgressDlgMonitor::setStep(int step)
{
    BuildMonitor::setStep(step);
    if (m_window)
        m_window->SetStep(step);
}

void ProgressDlgMonitor::stepIt()
{
    BuildMonitor::stepIt();
    if (m_window)
        m_window->StepIt();
}

void ProgressDlgMonitor::resetPosition()
{
    BuildMonitor::resetPosition();
    if (m_window)
        m_window->ResetPosition();
}

void ProgressDlgMonitor::fillBar()
{
    BuildMonitor::fillBar();
    if (m_window)
        m_window->FillBar();
}

void ProgressDlgMonitor::showResult(BuildTarget target, int toFile)
{
    if (!m_window) {
        BuildMonitor::showResult(target, toFile);
        return;
    }
    m_window->ShowResult(target, toFile, resultNote());
    close();
}

} // namespace qrl::build
