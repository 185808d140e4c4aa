#include "CProgressDlg.h"

#include "StringTable.h"
#include "UserInterface.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitle = "Build Progress";
constexpr const char* kStatusLabel = "Status:";
constexpr int kMinimumWidth = 340;

} // namespace

CProgressDlg::CProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_status(new QLabel(this)),
      m_bar(new QProgressBar(this))
{
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(false);
    setMinimumWidth(kMinimumWidth);

    m_status->setObjectName(QStringLiteral("statusText"));
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setRange(0, BuildProgress::kRangeEnd);
    m_bar->setTextVisible(false);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QString::fromLatin1(kStatusLabel), this));
    statusRow->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(statusRow);
    layout->addWidget(m_bar);
    refresh();
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::showNow()
{
    show();
    refresh();
}

void CProgressDlg::SetStatusText(const QString& text)
{
    m_status->setText(text);
    refresh();
}

void CProgressDlg::SetStep(int step)
{
    m_progress.setStep(step);
}

void CProgressDlg::StepIt()
{
    m_progress.stepIt();
    refresh();
}

void CProgressDlg::ResetPosition()
{
    m_progress.resetPosition();
    refresh();
}

void CProgressDlg::FillBar()
{
    m_progress.fillBar();
    refresh();
}

void CProgressDlg::ShowResult(qrl::build::BuildTarget target, int toFile, const QString& note)
{
    hide();
    qrl::ui().messageWithDetail(qrl::text(BuildProgress::resultTextId(target, toFile)), note,
                                qrl::Buttons::Ok, qrl::Icon::Information);
}

QString CProgressDlg::statusText() const
{
    return m_status->text();
}

void CProgressDlg::refresh()
{
    m_bar->setValue(m_progress.position());
    if (!isVisible())
        return;
    // Paint now: the build gives the event loop no chance until it ends. User input stays
    // queued, so nothing can be clicked while the build runs.
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
