#include "CProjSettDlg.h"
#include "BuildSessionTextIds.h"
#include "DialogButtons.h"
#include "ProjectTextIds.h"

#include "AppContext.h"
#include "CQuorlyn32Doc.h"
#include "DialogPlacement.h"
#include "ExportFile.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

struct MediumButton {
    const char* text;
    const char* objectName;
};

// In StorageMedium order: a button's id in the group is its medium.
constexpr MediumButton kMediumButtons[kMediumCount] = {
    {"&SRAM Card", "sramCardButton"},     {"&JEIDA (PCMCIA) Card", "jeidaCardButton"},
    {"O&TP Card", "otpCardButton"},       {"&EPROM", "epromButton"},
    {"&Hard Disk", "hardDiskButton"},     {"Compact &Flash Card", "compactFlashCardButton"},
    {"M&icro Drive", "microDriveButton"},
};

// The labels of the capacity part: with their mnemonic while enabled, without while disabled.
QString labelText(const char* text, bool enabled)
{
    QString label = QString::fromLatin1(text);
    if (!enabled)
        label.remove(QLatin1Char('&'));
    return label;
}

void showRefusal(int messageId)
{
    // The capacity refusal sends the user to the help file only when there is one, as the build's does.
    const QString text = messageId == qrl::ids::kCardCapacityNotSupported
                             ? qrl::build::cardCapacityText(qrl::context().helpFileName)
                             : qrl::text(messageId);
    qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

CProjSettDlg::CProjSettDlg(const ProjectSettingsForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName(QStringLiteral("projectSettingsDialog"));
    setWindowTitle(QStringLiteral("Project Settings"));
    createControls();
    showForm();
    restorePlacement();
}

bool CProjSettDlg::run(QWidget* parent, MediaOffer mode)
{
    CQuorlyn32Doc* document = CQuorlyn32Doc::GetActive();
    return document && run(parent, mode, *document);
}

bool CProjSettDlg::run(QWidget* parent, MediaOffer mode, CQuorlyn32Doc& document)
{
    CProjSettDlg dialog(qrl::projsett::loadForm(document.GetProjSett(), document.GetTotalInBytes(), mode),
                        parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    qrl::projsett::applyChoice(document, dialog.choice());
    return true;
}

void CProjSettDlg::createControls()
{
    auto* mediaColumn = new QVBoxLayout;
    m_media = new QButtonGroup(this);
    for (int medium = 0; medium < kMediumCount; ++medium) {
        auto* button = new QRadioButton(QString::fromLatin1(kMediumButtons[medium].text), this);
        button->setObjectName(QString::fromLatin1(kMediumButtons[medium].objectName));
        m_media->addButton(button, medium);
        mediaColumn->addWidget(button);
    }
    mediaColumn->addStretch();
    connect(m_media, &QButtonGroup::idClicked, this, &CProjSettDlg::onMediumClicked);

    m_capacityLabel = new QLabel(QStringLiteral("C&apacity"), this);
    m_capacityLabel->setObjectName(QStringLiteral("capacityLabel"));
    m_capacityList = new QComboBox(this);
    m_capacityList->setObjectName(QStringLiteral("capacityList"));
    CProjSett names;
    QString name;
    while (names.GetNextSizeName(name)) {
        if (!name.isEmpty())
            m_capacityList->addItem(name);
    }
    m_capacityLabel->setBuddy(m_capacityList);

    m_customLabel = new QLabel(QStringLiteral("&Define capacity:"), this);
    m_customLabel->setObjectName(QStringLiteral("customSizeLabel"));
    m_customSize = new QLineEdit(this);
    m_customSize->setObjectName(QStringLiteral("customSizeEdit"));
    m_customSize->setMaxLength(ProjectSettingsForm::kMaxCustomSizeDigits);
    m_customLabel->setBuddy(m_customSize);
    m_kb = new QRadioButton(QStringLiteral("&Kb"), this);
    m_kb->setObjectName(QStringLiteral("kbButton"));
    m_mb = new QRadioButton(QStringLiteral("&Mb"), this);
    m_mb->setObjectName(QStringLiteral("mbButton"));
    auto* units = new QButtonGroup(this);
    units->addButton(m_kb, ProjectSettingsForm::kUnitKB);
    units->addButton(m_mb, ProjectSettingsForm::kUnitMB);
    connect(m_capacityList, &QComboBox::currentIndexChanged, this, &CProjSettDlg::onCapacityChanged);
    connect(m_customSize, &QLineEdit::textChanged, this, &CProjSettDlg::onCustomSizeEdited);

    auto* capacity = new QGridLayout;
    capacity->addWidget(m_capacityLabel, 0, 0, 1, 3);
    capacity->addWidget(m_capacityList, 1, 0, 1, 3);
    capacity->addWidget(m_customLabel, 2, 0, 1, 3);
    capacity->addWidget(m_customSize, 3, 0);
    capacity->addWidget(m_kb, 3, 1);
    capacity->addWidget(m_mb, 3, 2);
    capacity->setRowStretch(4, 1);

    QHBoxLayout* buttons = qrl::okCancelRow(this);

    auto* columns = new QHBoxLayout;
    columns->addLayout(mediaColumn);
    columns->addSpacing(16);
    columns->addLayout(capacity);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void CProjSettDlg::showForm()
{
    {
        const QSignalBlocker blockList(m_capacityList);
        const QSignalBlocker blockText(m_customSize);
        m_capacityList->setCurrentIndex(m_form.sizeIndex);
        m_customSize->setText(m_form.customSizeText);
    }
    (m_form.unit == ProjectSettingsForm::kUnitKB ? m_kb : m_mb)->setChecked(true);
    if (QAbstractButton* button = m_media->button(mediumNumber(m_form.medium)))
        button->setChecked(true);
    for (int id = 0; id < kMediumCount; ++id)
        m_media->button(id)->setEnabled(qrl::projsett::isMediumEnabled(*mediumOfNumber(id), m_form.mode));
    // Media without a capacity keep both the list and the custom size disabled, also when the
    // project stores a custom size for them.
    const bool card = isCardMedium(m_form.medium);
    enableCapacity(card, card && m_form.sizeIndex == StorageSizeTable::kCustomIndex);
}

ProjectSettingsForm CProjSettDlg::form() const
{
    ProjectSettingsForm form = m_form;
    form.medium = mediumOfNumber(m_media->checkedId()).value_or(m_form.medium);
    form.sizeIndex = m_capacityList->currentIndex();
    form.unit = m_kb->isChecked() ? ProjectSettingsForm::kUnitKB : ProjectSettingsForm::kUnitMB;
    form.customSizeText = m_customSize->text();
    return form;
}

void CProjSettDlg::enableCapacity(bool listEnabled, bool customEnabled)
{
    m_capacityLabel->setText(labelText("C&apacity", listEnabled));
    m_capacityList->setEnabled(listEnabled);
    m_customLabel->setText(labelText("&Define capacity", customEnabled));
    m_customSize->setEnabled(customEnabled);
    m_kb->setText(labelText("&Kb", customEnabled));
    m_kb->setEnabled(customEnabled);
    m_mb->setText(labelText("&Mb", customEnabled));
    m_mb->setEnabled(customEnabled);
}

void CProjSettDlg::onMediumClicked(int id)
{
    m_form = form();
    const bool card = isCardMedium(mediumOfNumber(id).value_or(m_form.medium));
    enableCapacity(card, card && m_form.sizeIndex == StorageSizeTable::kCustomIndex);
}

void CProjSettDlg::onCapacityChanged(int index)
{
    if (index == StorageSizeTable::kCustomIndex) {
        m_form.sizeIndex = index;
        enableCapacity(true, true);
        m_customSize->setFocus();
        return;
    }
    // A size that cannot hold the project is refused before anything changes, so the previous
    // entry comes back together with its custom size.
    if (const int message = qrl::projsett::checkListedSize(index, m_form.projectBytes)) {
        showRefusal(message);
        const QSignalBlocker block(m_capacityList);
        m_capacityList->setCurrentIndex(m_form.sizeIndex);
        return;
    }
    m_form.sizeIndex = index;
    enableCapacity(true, false);
    m_customSize->clear();
}

void CProjSettDlg::onCustomSizeEdited(const QString& text)
{
    if (qrl::projsett::isNumberText(text))
        return;
    showRefusal(qrl::ids::kNotANumber);
    m_customSize->selectAll();
    m_customSize->clear();
}

void CProjSettDlg::accept()
{
    const ProjectSettingsCheck check = qrl::projsett::checkForm(form());
    if (check.messageId != 0) {
        showRefusal(check.messageId);
        if (check.focus == ProjectSettingsCheck::Focus::CustomSize)
            m_customSize->setFocus();
        else if (check.focus == ProjectSettingsCheck::Focus::CapacityList)
            m_capacityList->setFocus();
        return;
    }
    m_choice = check.choice;
    savePlacement();
    QDialog::accept();
}

void CProjSettDlg::reject()
{
    savePlacement();
    QDialog::reject();
}

void CProjSettDlg::restorePlacement()
{
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}

void CProjSettDlg::savePlacement() const
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}
