#include "CBuildDlg.h"

#include "AppContext.h"
#include "BuildDocument.h"
#include "BuildSession.h"
#include "CPrinterOutput.h"
#include "CZenPrinter.h"
#include "CapacityPane.h"
#include "DialogPlacement.h"
#include "FillPrinterComboBox.h"
#include "PrintingTextIds.h"
#include "ProgressDlgMonitor.h"
#include "StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

using namespace qrl::build;

namespace {

constexpr const char* kSendToPrinter = "Send to &printer";
constexpr const char* kWriteToFile = "&Write to file...";

QString section()
{
    return QString::fromLatin1(kBuildSection);
}

} // namespace

CBuildDlg::CBuildDlg(BuildDocument& document, QWidget* parent, qrl::Spooler* spooler)
    : QDialog(parent), m_document(document), m_spooler(spooler),
      m_session(std::make_unique<BuildSession>(spooler)),
      m_output(std::make_unique<CPrinterOutput>(this, spooler))
{
    setObjectName(QStringLiteral("buildDialog"));
    createControls();
    OnInitDialog();
}

CBuildDlg::~CBuildDlg() = default;

void CBuildDlg::OnInitDialog()
{
    m_printer = std::make_unique<CZenPrinter>(m_spooler);
    m_settings = LoadBuildSettings();
    qrl::restoreDialogPlacement(this, section());
    m_tarnwickCheck->setChecked(m_settings.tarnwick != 0);
    m_protectAfterCheck->setChecked(false);
    m_ignoreProtectionCheck->setChecked(false);
    m_ignoreProtectionCheck->setVisible(m_settings.writeProtection != 0);
    m_protectAfterCheck->setVisible(m_settings.writeProtection != 0);
    m_output->EnumWritablePorts();
    FillPrinterList();

    m_project = m_document.buildProject();
    m_state.target = targetOfMedium(m_project.settings.m_medium, m_state.cardType);
    m_state.lastTarget = m_state.target;
    m_state.tarnwick = m_tarnwickCheck->isChecked();
    updateCapacityText();
    {
        const QSignalBlocker blocker(m_targetCombo);
        m_targetCombo->setCurrentIndex(indexOf(m_state.target));
    }
    selectSavedPrinter();
    OnSelchangeTarget();
}

void CBuildDlg::FillPrinterList()
{
    const QSignalBlocker blocker(m_printerCombo);
    m_printerCombo->clear();
    m_printerCombo->addItem(qrl::text(qrl::ids::kFilePrinter));
    m_printerCombo->setCurrentIndex(0);
    FillPrinterComboBox(*m_printer, m_printerCombo);
}

void CBuildDlg::selectSavedPrinter()
{
    const int saved = m_printerCombo->findText(m_settings.printer, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (saved >= 0) {
        const QSignalBlocker blocker(m_printerCombo);
        m_printerCombo->setCurrentIndex(saved);
    }
    ShowPort();
}

qrl::build::BuildOptions CBuildDlg::options() const
{
    BuildOptions options;
    options.target = targetAt(m_targetCombo->currentIndex());
    options.cardType = m_state.cardType;
    options.printerName = m_printerCombo->currentText();
    options.format = !m_formatCheck->isHidden() && m_formatCheck->isChecked();
    options.protectAfter = !m_protectAfterCheck->isHidden() && m_protectAfterCheck->isChecked();
    options.ignoreProtection = !m_ignoreProtectionCheck->isHidden() && m_ignoreProtectionCheck->isChecked();
    options.tarnwick = m_tarnwickCheck->isChecked();
    options.exportFormat = exportFormatAt(m_exportFormat->checkedId());
    options.writeProtection = m_settings.writeProtection;
    options.buildsDirectory = qrl::context().directories.builds;
    options.helpFilePath = qrl::context().helpFileName;
    return options;
}

void CBuildDlg::ShowPort()
{
    if (!isPrinterTarget(targetAt(m_targetCombo->currentIndex())))
        return;
    const QString printer = m_printerCombo->currentText();
    if (printer == qrl::text(qrl::ids::kFilePrinter)) {
        m_buildButton->setText(QString::fromLatin1(kWriteToFile));
        m_portText->setText(printer);
        return;
    }
    m_buildButton->setText(QString::fromLatin1(kSendToPrinter));
    const QString port = m_printer ? m_printer->GetPrinterPortName(printer) : QString();
    if (!port.isEmpty())
        m_portText->setText(port);
}

void CBuildDlg::OnSelchangeTarget()
{
    m_state.target = targetAt(m_targetCombo->currentIndex());
    m_state.tarnwick = m_tarnwickCheck->isChecked();
    CProjSett settings = m_project.settings;
    const TargetChange change = switchTarget(m_state, settings);
    takeSettings(settings, change.modified);
    if (change.capacityChanged)
        updateCapacityPane(m_project.settings, static_cast<std::uint32_t>(m_project.items.size()),
                           m_project.totalBytes, 0);
    applyCardType();
    layoutForTarget();
}

void CBuildDlg::setConfigure(std::function<bool(MediaOffer mode)> configure)
{
    m_configure = std::move(configure);
    m_configureButton->setEnabled(static_cast<bool>(m_configure));
}

void CBuildDlg::OnConfigure()
{
    if (!m_configure)
        return;
    // The card image can only be a JEIDA card; a card in the printer is any card medium.
    m_configure(targetAt(m_targetCombo->currentIndex()) == BuildTarget::CardImage
                    ? MediaOffer::JeidaOnly
                    : MediaOffer::NoEpromOrDisks);
    m_project = m_document.buildProject();
    m_state.cardType = GetCardTypeText(m_project.settings.m_medium);
    if (m_state.target == BuildTarget::Card && m_state.cardType != QLatin1String(kCardCompact) &&
        m_settings.writeProtection != 0) {
        m_ignoreProtectionCheck->setChecked(false);
        m_tarnwickCheck->setChecked(false);
        m_state.tarnwick = false;
    }
    applyCardType();
    layoutForTarget();
}

void CBuildDlg::applyCardType()
{
    m_cardTypeText->setText(m_state.cardType);
    updateCapacityText();
}

void CBuildDlg::updateCapacityText()
{
    m_capacityText->setText(GetCapacityText(m_project.settings));
}

void CBuildDlg::takeSettings(const CProjSett& settings, bool modified)
{
    const bool changed = settings.m_medium != m_project.settings.m_medium ||
                         settings.m_extraSettings != m_project.settings.m_extraSettings ||
                         settings.m_storageSizeIndex != m_project.settings.m_storageSizeIndex;
    m_project.settings = settings;
    if (changed || modified)
        m_document.takeSettings(settings, modified || changed);
}

std::unique_ptr<BuildMonitor> CBuildDlg::createMonitor()
{
    return std::make_unique<ProgressDlgMonitor>(this);
}

void CBuildDlg::accept()
{
    const BuildOptions buildOptions = options();
    const BuildProject project = m_document.buildProject();
    const std::unique_ptr<BuildMonitor> monitor = createMonitor();
    const BuildResult result = m_session->run(project, buildOptions, *monitor);
    takeSettings(result.settings, result.modified);
    if (!result.closeDialog)
        return;
    SaveSettingsAndCleanUp();
    QDialog::accept();
}

void CBuildDlg::reject()
{
    SaveSettingsAndCleanUp();
    QDialog::reject();
}

void CBuildDlg::SaveSettingsAndCleanUp()
{
    m_settings.printer = m_printerCombo->currentText();
    SaveBuildSettings(m_settings);
    qrl::saveDialogPlacement(this, section());
    m_printer.reset();
}
