// The controls of the build dialog and how each target lays them out.
#include "CBuildDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace qrl::build;

namespace {

constexpr const char* kFormatFirst = "Initialize (&format) the card";
constexpr const char* kFormatCard = "&Format card";
constexpr const char* kFormatDisk = "&Format hard disk / micro drive ";
constexpr const char* kWriteToFile = "&Write to file...";

QString latin1(const char* text)
{
    return QString::fromLatin1(text);
}

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(latin1(name));
    return widget;
}

} // namespace

void CBuildDlg::createControls()
{
    setWindowTitle(QStringLiteral("Project Build"));
    m_targetCombo = named(new QComboBox(this), "targetCombo");
    for (const OutputForm& form : outputForms()) {
        if (m_targetCombo->count() == 0 || targetAt(m_targetCombo->count() - 1) != form.target)
            m_targetCombo->addItem(latin1(form.targetLabel));
    }
    auto* targetLabel = new QLabel(QStringLiteral("Build &Target:"), this);
    targetLabel->setBuddy(m_targetCombo);

    auto* settings = new QGroupBox(QStringLiteral("Settings"), this);
    m_ignoreProtectionCheck =
        named(new QCheckBox(QStringLiteral("I&gnore write protection on medium"), settings),
              "ignoreProtectionCheck");
    m_formatCheck = named(new QCheckBox(latin1(kFormatFirst), settings), "formatCheck");
    // The format check box and the export formats share one place: no target shows both.
    m_exportFormatBox = named(new QWidget(settings), "exportFormatBox");
    auto* exportLayout = new QVBoxLayout(m_exportFormatBox);
    exportLayout->setContentsMargins(0, 0, 0, 0);
    m_exportFormat = new QButtonGroup(this);
    for (const OutputForm& form : outputForms()) {
        if (!form.formLabel)
            continue;
        auto* radio = new QRadioButton(latin1(form.formLabel), m_exportFormatBox);
        radio->setObjectName(QStringLiteral("exportFormat%1").arg(indexOf(form.format)));
        m_exportFormat->addButton(radio, indexOf(form.format));
        exportLayout->addWidget(radio);
    }
    m_exportFormat->button(indexOf(ExportFormat::Hex))->setChecked(true);
    auto* cardTypeLabel = new QLabel(QStringLiteral("Card Type:"), settings);
    m_cardTypeText = named(new QLabel(settings), "cardTypeText");
    auto* capacityLabel = new QLabel(QStringLiteral("Capacity:"), settings);
    m_capacityText = named(new QLabel(settings), "capacityText");
    m_configureButton = named(new QPushButton(QStringLiteral("Co&nfigure..."), settings), "configureButton");
    // The project settings dialog is not part of the program yet.
    m_configureButton->setEnabled(false);
    m_cardWidgets = {cardTypeLabel, m_cardTypeText, capacityLabel, m_capacityText, m_configureButton};

    auto* settingsLayout = new QGridLayout(settings);
    settingsLayout->addWidget(m_ignoreProtectionCheck, 0, 0, 1, 3);
    settingsLayout->addWidget(m_formatCheck, 1, 0, 1, 3);
    settingsLayout->addWidget(m_exportFormatBox, 2, 0, 1, 3);
    settingsLayout->addWidget(cardTypeLabel, 3, 0);
    settingsLayout->addWidget(m_cardTypeText, 3, 1);
    settingsLayout->addWidget(capacityLabel, 4, 0);
    settingsLayout->addWidget(m_capacityText, 4, 1);
    settingsLayout->addWidget(m_configureButton, 3, 2, 2, 1, Qt::AlignVCenter);
    settingsLayout->setColumnStretch(1, 1);

    m_printerCombo = named(new QComboBox(this), "printerCombo");
    auto* printerLabel = new QLabel(QStringLiteral("Select Printe&r"), this);
    printerLabel->setBuddy(m_printerCombo);
    auto* portLabel = new QLabel(QStringLiteral("Port : "), this);
    m_portText = named(new QLabel(this), "portText");
    m_protectAfterCheck =
        named(new QCheckBox(QStringLiteral("Set write protection &ON after writing project"), this),
              "protectAfterCheck");
    m_protectAfterCheck->hide();
    m_tarnwickCheck = named(new QCheckBox(QStringLiteral("Tarnwick Printer"), this), "tarnwickCheck");
    m_printerWidgets = {printerLabel, m_printerCombo, portLabel, m_portText, m_tarnwickCheck};

    m_buildButton = named(new QPushButton(QStringLiteral("&Build"), this), "buildButton");
    m_buildButton->setDefault(true);
    m_exitButton = named(new QPushButton(QStringLiteral("&Exit"), this), "exitButton");

    auto* form = new QGridLayout;
    form->addWidget(targetLabel, 0, 0);
    form->addWidget(m_targetCombo, 0, 1, 1, 2);
    form->addWidget(settings, 1, 0, 1, 3);
    form->addWidget(printerLabel, 2, 0);
    form->addWidget(m_printerCombo, 2, 1, 1, 2);
    form->addWidget(portLabel, 3, 0);
    form->addWidget(m_portText, 3, 1, 1, 2);
    form->addWidget(m_protectAfterCheck, 4, 0, 1, 3);
    form->addWidget(m_tarnwickCheck, 5, 0, 1, 3);
    form->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_buildButton);
    buttons->addWidget(m_exitButton);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_buildButton, &QPushButton::clicked, this, &CBuildDlg::accept);
    connect(m_exitButton, &QPushButton::clicked, this, &CBuildDlg::reject);
    connect(m_configureButton, &QPushButton::clicked, this, &CBuildDlg::OnConfigure);
    connect(m_targetCombo, &QComboBox::currentIndexChanged, this, &CBuildDlg::OnSelchangeTarget);
    connect(m_printerCombo, &QComboBox::currentIndexChanged, this, &CBuildDlg::ShowPort);
    connect(m_tarnwickCheck, &QCheckBox::clicked, this, &CBuildDlg::OnSelchangeTarget);
}

void CBuildDlg::layoutForTarget()
{
    const BuildTarget target = m_state.target;
    const bool printerTarget = isPrinterTarget(target);
    const bool otp = m_state.cardType == QLatin1String(kCardOtp);
    const bool protection =
        m_settings.writeProtection != 0 &&
        (target == BuildTarget::Disk ||
         (target == BuildTarget::Card &&
          (m_state.cardType.isEmpty() || m_state.cardType == QLatin1String(kCardCompact))));
    m_formatCheck->setVisible(printerTarget);
    m_formatCheck->setText(latin1(target == BuildTarget::Disk ? kFormatDisk : kFormatCard));
    m_formatCheck->setEnabled(!(target == BuildTarget::Card && otp));
    if (!m_formatCheck->isEnabled())
        m_formatCheck->setChecked(false);
    m_ignoreProtectionCheck->setVisible(protection);
    m_protectAfterCheck->setVisible(protection);
    m_ignoreProtectionCheck->setEnabled(!otp);
    if (!printerTarget)
        m_ignoreProtectionCheck->setChecked(false);
    for (QWidget* widget : m_cardWidgets)
        widget->setVisible(target == BuildTarget::Card || target == BuildTarget::CardImage);
    for (QWidget* widget : m_printerWidgets)
        widget->setVisible(printerTarget);
    m_exportFormatBox->setVisible(target == BuildTarget::Eprom);
    if (printerTarget)
        ShowPort();
    else
        m_buildButton->setText(latin1(kWriteToFile));
}
