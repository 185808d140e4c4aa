#include "CEmcrItemDlg.h"
#include "DialogButtons.h"
#include "PlatformTextIds.h"
#include "ProjectTextIds.h"
#include "ToolsTextIds.h"

#include "SingleByteText.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Refused on OK: one more than the largest limit a row can have.
constexpr int kRefusedLength = 237;

constexpr const char* kRepeatCutText =
    "Param length : %d\r\nRepCount length : %d\r\nparameters and repeat count together max %d character";
constexpr const char* kParametersCutText =
    "RepCount length : %d\r\nParam length : %d\r\nparameters and repeat count together max %d character";

void warn(const QString& text)
{
    qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

CEmcrItemDlg::CEmcrItemDlg(int row, bool duplex, const QStringList& macros, const EmcrAssignment& current,
                           QWidget* parent)
    : QDialog(parent), m_assignment(current)
{
    setObjectName(QStringLiteral("emcrItemDialog"));
    setWindowTitle(qrl::text(qrl::ids::kEmcrItemTitle));
    const int source = qrl::emcr::sourceOfRow(row, duplex);
    m_limit = qrl::emcr::lengthLimit(duplex, source);

    QString sourceText = qrl::emcr::sourceName(source);
    if (duplex)
        sourceText += QStringLiteral(" -") + qrl::emcr::sideName(qrl::emcr::sideOfRow(row, true));
    auto* sourceLabel = new QLabel(sourceText, this);
    sourceLabel->setObjectName(QStringLiteral("sourceLabel"));

    m_macroBox = new QComboBox(this);
    m_macroBox->setObjectName(QStringLiteral("macroBox"));
    m_macroBox->addItem(QString());
    m_macroBox->addItems(macros);
    const int found = m_macroBox->findText(current.macro, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    m_macroBox->setCurrentIndex(current.macro.isEmpty() || found < 0 ? 0 : found);

    m_parameters = new QLineEdit(current.parameters, this);
    m_parameters->setObjectName(QStringLiteral("parametersEdit"));
    m_parameters->setMaxLength(kMaxParameterChars);
    m_repeat = new QLineEdit(current.repeatCount, this);
    m_repeat->setObjectName(QStringLiteral("repeatCountEdit"));
    m_repeat->setMaxLength(kMaxRepeatChars);
    connect(m_repeat, &QLineEdit::textChanged, this, &CEmcrItemDlg::onRepeatChanged);
    connect(m_parameters, &QLineEdit::textChanged, this, &CEmcrItemDlg::onParametersChanged);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Paper Source"), sourceLabel);
    form->addRow(QStringLiteral("&Macro"), m_macroBox);
    form->addRow(QStringLiteral("&Parameters"), m_parameters);
    form->addRow(QStringLiteral("&Repeat Count"), m_repeat);

    QHBoxLayout* buttons = qrl::okCancelRow(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void CEmcrItemDlg::onRepeatChanged(const QString& text)
{
    if (!qrl::emcr::isAllDigits(text)) {
        warn(qrl::text(qrl::ids::kNotANumber));
        m_repeat->clear();
        return;
    }
    const int parameters = static_cast<int>(m_parameters->text().size());
    const int repeat = static_cast<int>(text.size());
    if (parameters + repeat > m_limit) {
        m_repeat->setText(text.left(std::max(0, m_limit - parameters)));
        warn(qrl::formatText(QString::fromLatin1(kRepeatCutText), {parameters, repeat, m_limit}));
    }
}

void CEmcrItemDlg::onParametersChanged(const QString& text)
{
    const int repeat = static_cast<int>(m_repeat->text().size());
    const int parameters = static_cast<int>(text.size());
    if (parameters + repeat > m_limit) {
        m_parameters->setText(text.left(std::max(0, m_limit - repeat)));
        warn(qrl::formatText(QString::fromLatin1(kParametersCutText), {repeat, parameters, m_limit}));
    }
}

void CEmcrItemDlg::accept()
{
    const QString macro = m_macroBox->currentText();
    if (macro.isEmpty()) {
        warn(qrl::text(qrl::ids::kEmcrNoMacroChosen));
        return;
    }
    // A macro file's own name can hold what a bare name in the command cannot.
    if (!qrl::emcr::acceptableName(macro)) {
        warn(qrl::text(qrl::ids::kMacroNameNotAcceptable));
        m_macroBox->setFocus();
        return;
    }
    const QString parameters = m_parameters->text();
    if (!qrl::singlebyte::fits(parameters)) {
        warn(qrl::text(qrl::ids::kNotLatin1));
        m_parameters->setFocus();
        return;
    }
    // Refused rather than mended, so that the command holds exactly what was typed.
    if (!qrl::emcr::acceptableParameters(parameters)) {
        warn(qrl::text(qrl::ids::kParametersNotAcceptable));
        m_parameters->setFocus();
        return;
    }
    QString repeat = m_repeat->text();
    if (repeat == QLatin1String("0") || repeat == QLatin1String("1"))
        repeat.clear();
    if (repeat.size() + parameters.size() >= kRefusedLength) {
        warn(qrl::text(qrl::ids::kEmcrParametersTooLong));
        return;
    }
    const qrl::emcr::RepeatCount count = qrl::emcr::normaliseRepeatCount(repeat);
    if (!count.ok) {
        warn(qrl::text(qrl::ids::kRepeatCountRange));
        m_repeat->setFocus();
        m_repeat->selectAll();
        return;
    }
    m_assignment = {macro, parameters, count.text};
    QDialog::accept();
}
