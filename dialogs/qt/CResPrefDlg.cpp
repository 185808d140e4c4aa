#include "CResPrefDlg.h"

#include "CQuorlyn32Doc.h"
#include "CWinPlacement.h"
#include "DialogPlacement.h"
#include "DialogsTextIds.h"
#include "Profile.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "WindowPlacementAdapter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSymbolSetRowHeight = 15;
// The symbol-set list shows the texts kSymbolSetUnbounded to kSymbolSetWingDings, one a row.
static_assert(qrl::ids::kSymbolSetWingDings - qrl::ids::kSymbolSetUnbounded + 1 ==
              qrl::respref::kSymbolSetCount);

QLabel* namedLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QToolButton* spinButton(Qt::ArrowType arrow, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLineEdit* numberEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

void showNumber(QLineEdit* edit, std::uint32_t value)
{
    const QSignalBlocker block(edit);
    edit->setText(QString::number(value));
}

} // namespace

CResPrefDlg::CResPrefDlg(CQuorlyn32Doc& document, int serial, const QIcon& icon, QWidget* parent)
    : QDialog(parent), m_document(document), m_serial(serial),
      m_form(qrl::respref::loadForm(document, serial))
{
    setObjectName(QStringLiteral("resourcePropertiesDialog"));
    m_messageOptions = qrl::read(qrl::settings::kResPrefMessageOptions);
    createControls(icon);
    m_fullHeight = sizeHint().height();
    const bool restored = restorePlacement();
    showLayout();
    // A restored placement keeps its position and width; the height is always the kind's own.
    if (restored)
        resize(width(), sizeHint().height());
    else
        adjustSize();
    m_initialised = true;
}

CResPrefDlg::Result CResPrefDlg::run(QWidget* parent, CQuorlyn32Doc& document, int serial, const QIcon& icon)
{
    CResPrefDlg dialog(document, serial, icon, parent);
    Result result;
    result.accepted = dialog.exec() == QDialog::Accepted;
    if (result.accepted)
        result.change = dialog.change();
    return result;
}

void CResPrefDlg::createControls(const QIcon& icon)
{
    const QString name = m_document.GetItemName(m_serial);
    setWindowTitle(name + QLatin1Char(' ') + qrl::text(qrl::ids::kPropertiesTitle));

    auto* iconLabel = namedLabel(QString(), "iconLabel", this);
    iconLabel->setPixmap(icon.pixmap(32, 32));
    auto* header = new QGridLayout;
    header->addWidget(iconLabel, 0, 0, 2, 1);
    header->addWidget(namedLabel(name, "nameText", this), 0, 1);
    header->addWidget(
        namedLabel(qrl::text(qrl::respref::typeLineTextId(m_form.kind, m_form.subtype)), "typeText", this), 1,
        1);
    header->addWidget(
        namedLabel(qrl::respref::locationText(m_document.GetItemPath(m_serial)), "locationText", this), 2, 1);
    header->addWidget(namedLabel(m_document.GetItemTypeLabel(m_serial), "descriptionText", this), 3, 1);
    header->addWidget(
        namedLabel(m_document.GetItemSizeText(m_serial) + QLatin1Char(' ') + qrl::text(qrl::ids::kBytes),
                   "sizeText", this),
        4, 1);

    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("settingsGroup"));
    m_idLabel = namedLabel(qrl::text(qrl::ids::kFontIdLabel), "idLabel", m_group);
    m_id = numberEdit("idEdit", m_group);
    m_idLabel->setBuddy(m_id);
    m_idUp = spinButton(Qt::UpArrow, "idUp", m_group);
    m_idDown = spinButton(Qt::DownArrow, "idDown", m_group);
    m_idReadOnly = namedLabel(QString::number(m_form.id), "idReadOnly", m_group);
    m_typefaceLabel = namedLabel(QStringLiteral("&Typeface ID:"), "typefaceLabel", m_group);
    m_typeface = numberEdit("typefaceEdit", m_group);
    m_typefaceLabel->setBuddy(m_typeface);
    m_typefaceUp = spinButton(Qt::UpArrow, "typefaceUp", m_group);
    m_typefaceDown = spinButton(Qt::DownArrow, "typefaceDown", m_group);
    m_symbolSetLabel = namedLabel(QStringLiteral("&Symbol Set:"), "symbolSetLabel", m_group);
    m_symbolSets = new QListWidget(m_group);
    m_symbolSets->setObjectName(QStringLiteral("symbolSetList"));
    m_symbolSetLabel->setBuddy(m_symbolSets);
    m_flag = new QCheckBox(m_group);
    m_flag->setObjectName(QStringLiteral("flagCheck"));

    auto* grid = new QGridLayout(m_group);
    grid->addWidget(m_idLabel, 0, 0);
    grid->addWidget(m_id, 0, 1);
    grid->addWidget(m_idUp, 0, 2);
    grid->addWidget(m_idDown, 0, 3);
    grid->addWidget(m_idReadOnly, 0, 4);
    grid->addWidget(m_typefaceLabel, 1, 0);
    grid->addWidget(m_typeface, 1, 1);
    grid->addWidget(m_typefaceUp, 1, 2);
    grid->addWidget(m_typefaceDown, 1, 3);
    grid->addWidget(m_symbolSetLabel, 2, 0);
    grid->addWidget(m_symbolSets, 2, 1, 1, 4);
    grid->addWidget(m_flag, 3, 0, 1, 5);

    connect(m_id, &QLineEdit::textChanged, this, &CResPrefDlg::onIdEdited);
    connect(m_typeface, &QLineEdit::textChanged, this, &CResPrefDlg::onTypefaceEdited);
    connect(m_idUp, &QToolButton::clicked, this, [this] { spinId(1); });
    connect(m_idDown, &QToolButton::clicked, this, [this] { spinId(-1); });
    connect(m_typefaceUp, &QToolButton::clicked, this, [this] { spinTypeface(1); });
    connect(m_typefaceDown, &QToolButton::clicked, this, [this] { spinTypeface(-1); });
    connect(m_symbolSets, &QListWidget::currentRowChanged, this, [this](int row) { m_form.symbolSet = row; });
    connect(m_flag, &QCheckBox::clicked, this, [this](bool checked) {
        m_form.flag = checked;
        qrl::respref::applyFlagClick(m_document, m_serial, checked);
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
}

void CResPrefDlg::showLayout()
{
    const bool font = m_form.kind == kKindFont;
    const bool macro = m_form.kind == kKindMacro;
    const bool tellurade = macro && m_form.subtype == kTelluradeMacro;
    const bool pclMacro = macro && !tellurade;
    const bool trueType = font && m_form.subtype == kTrueTypeFont;

    m_group->setVisible(m_form.kind != kKindData);
    m_group->setTitle(qrl::text(font    ? qrl::ids::kFontSettings
                                : macro ? qrl::ids::kMacroSettings
                                        : qrl::ids::kFormSettings));
    m_idLabel->setText(qrl::text(pclMacro ? qrl::ids::kMacroIdLabel : qrl::ids::kFontIdLabel));
    m_idLabel->setVisible(font || pclMacro);
    for (QWidget* w :
         {static_cast<QWidget*>(m_id), static_cast<QWidget*>(m_idUp), static_cast<QWidget*>(m_idDown)})
        w->setVisible(font);
    m_idReadOnly->setVisible(pclMacro);
    for (QWidget* w : {static_cast<QWidget*>(m_typefaceLabel), static_cast<QWidget*>(m_typeface),
                       static_cast<QWidget*>(m_typefaceUp), static_cast<QWidget*>(m_typefaceDown)})
        w->setVisible(font);
    m_symbolSetLabel->setVisible(trueType);
    m_symbolSets->setVisible(trueType);
    if (trueType) {
        for (int i = 0; i < qrl::respref::kSymbolSetCount; ++i) {
            auto* entry = new QListWidgetItem(qrl::text(qrl::ids::kSymbolSetUnbounded + i), m_symbolSets);
            entry->setSizeHint(QSize(0, kSymbolSetRowHeight));
        }
        const QSignalBlocker block(m_symbolSets);
        m_symbolSets->setCurrentRow(m_form.symbolSet);
    }
    m_flag->setVisible(tellurade || m_form.kind == kKindForm);
    m_flag->setText(qrl::text(tellurade ? qrl::ids::kEnableAutoOverlay : qrl::ids::kFormDefaultAtPowerOn));
    m_flag->setChecked(m_form.flag);
    if (font) {
        showNumber(m_id, m_form.id);
        showNumber(m_typeface, m_form.typefaceId);
    }
}

void CResPrefDlg::onIdEdited(const QString& text)
{
    if (text.isEmpty())
        return;
    const std::optional<std::uint32_t> value = qrl::respref::parseNumberText(text);
    if (!value)
        qrl::ui().message(QString::fromLatin1(qrl::respref::kIdNotANumber), qrl::Buttons::Ok,
                          qrl::Icon::Warning);
    else
        m_form.id = *value;
    if (!value || QString::number(m_form.id) != text)
        showNumber(m_id, m_form.id);
}

void CResPrefDlg::onTypefaceEdited(const QString& text)
{
    if (text.isEmpty())
        return;
    const std::optional<std::uint32_t> value = qrl::respref::parseNumberText(text);
    if (!value)
        qrl::ui().message(QString::fromLatin1(qrl::respref::kTypefaceNotANumber), qrl::Buttons::Ok,
                          qrl::Icon::Warning);
    else
        m_form.typefaceId = *value;
    if (!value || QString::number(m_form.typefaceId) != text)
        showNumber(m_typeface, m_form.typefaceId);
}

void CResPrefDlg::spinId(int step)
{
    m_form.id = qrl::respref::spinId(m_form, step);
    showNumber(m_id, m_form.id);
}

void CResPrefDlg::spinTypeface(int step)
{
    m_form.typefaceId = qrl::respref::spinTypeface(m_form.typefaceId, step);
    showNumber(m_typeface, m_form.typefaceId);
}

void CResPrefDlg::accept()
{
    if (m_form.kind == kKindFont && !qrl::respref::confirmFontId(m_document, m_serial, m_form)) {
        m_id->setFocus();
        return;
    }
    m_change = qrl::respref::applyForm(m_document, m_serial, m_form);
    saveOnClose();
    QDialog::accept();
}

void CResPrefDlg::reject()
{
    saveOnClose();
    QDialog::reject();
}

bool CResPrefDlg::restorePlacement()
{
    return qrl::restoreDialogPlacement(this, QString::fromLatin1(qrl::respref::kSection));
}

void CResPrefDlg::saveOnClose()
{
    // Closing the dialog is one action: its values reach the settings in one write.
    const qrl::ProfileBatch batch(qrl::profile());
    // The stored rectangle has the full height, so the next opening shrinks from the full size.
    qrl::WindowPlacement placement = qrl::captureWindowPlacement(this);
    placement.bottom = placement.top + m_fullHeight;
    CWinPlacement().SaveWindowPlacement(QString::fromLatin1(qrl::respref::kSection), placement);
    qrl::write(qrl::settings::kResPrefMessageOptions, m_messageOptions);
}
