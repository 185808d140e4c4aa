#include "CCallMacroDlg.h"

#include "CCallMacroDlgCheck.h"
#include "DialogPlacement.h"
#include "PlatformTextIds.h"
#include "ProjectTextIds.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString section()
{
    return QString::fromLatin1(CCallMacroDlg::kPlacementSection);
}

QLineEdit* makeEdit(const QString& text, const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

CCallMacroDlg::CCallMacroDlg(const CallMacroParams& params, QWidget* parent)
    : QDialog(parent), m_params(params)
{
    setObjectName(QStringLiteral("callMacroDialog"));
    setWindowTitle(QStringLiteral("Tellurade Call Macro"));

    m_name = makeEdit(params.macroName, "macroNameEdit", this);
    m_parameter = makeEdit(params.parameter, "parameterEdit", this);
    m_repeat = makeEdit(params.repeatCount, "repeatCountEdit", this);
    // Digits only as typed; a stored value that is not is caught by the check on OK.
    m_repeat->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_repeat));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Macro name:"), m_name);
    form->addRow(QStringLiteral("&Parameter value:"), m_parameter);
    form->addRow(QStringLiteral("&Repeat count:"), m_repeat);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    qrl::restoreDialogPlacement(this, section());
    m_name->setFocus();
}

bool CCallMacroDlg::run(CallMacroParams& params, QWidget* parent)
{
    CCallMacroDlg dialog(params, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    params = dialog.params();
    return true;
}

CallMacroParams CCallMacroDlg::edited() const
{
    return {m_name->text(), m_parameter->text(), m_repeat->text()};
}

void CCallMacroDlg::accept()
{
    const CallMacroParams values = edited();
    if (const int problem = qrl::callmacro::checkCallMacroParams(values); problem != 0) {
        qrl::ui().message(qrl::text(problem), qrl::Buttons::Ok, qrl::Icon::Warning);
        QLineEdit* field = m_repeat;
        if (problem == qrl::ids::kNotLatin1)
            field = qrl::singlebyte::fits(values.macroName) ? m_parameter : m_name;
        else if (problem == qrl::ids::kMacroNameNotAcceptable)
            field = m_name;
        else if (problem == qrl::ids::kParametersNotAcceptable)
            field = m_parameter;
        field->setFocus();
        field->selectAll();
        return;
    }
    m_params = values;
    qrl::saveDialogPlacement(this, section());
    QDialog::accept();
}
