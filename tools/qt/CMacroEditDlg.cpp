#include "CMacroEditDlg.h"

#include "CMacroEditDlgText.h"
#include "CPrintToolDlg.h"
#include "DialogPlacement.h"
#include "PlatformTextIds.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFontPoints = 10;

QString section()
{
    return QString::fromLatin1(CMacroEditDlg::kPlacementSection);
}

} // namespace

CMacroEditDlg::CMacroEditDlg(CPrintToolDlg& tools, QWidget* parent) : QDialog(parent), m_tools(tools)
{
    setObjectName(QStringLiteral("macroEditDialog"));
    setWindowTitle(QStringLiteral("Edit Macro"));

    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("macroTextEdit"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier"), kFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_edit->setFont(font);

    auto* clearButton = new QPushButton(QStringLiteral("Cl&ear"), this);
    clearButton->setObjectName(QStringLiteral("clearButton"));
    clearButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    auto* cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    // Return belongs to the edit, not to the OK button.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addButton(clearButton, QDialogButtonBox::ResetRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clearButton, &QPushButton::clicked, this, [this] {
        m_edit->clear();
        m_edit->setFocus();
    });

    qrl::restoreDialogPlacement(this, section());
    m_row = m_tools.selectedRow();
    // The text lives in the tools dialog, so it is shown with or without a tool data file.
    QByteArray text;
    if (m_tools.FindCustomText(text))
        m_edit->setPlainText(qrl::macroedit::editorText(text));
    m_edit->setFocus();
}

bool CMacroEditDlg::run(CPrintToolDlg& tools)
{
    CMacroEditDlg dialog(tools, &tools);
    return dialog.exec() == QDialog::Accepted;
}

void CMacroEditDlg::accept()
{
    const std::optional<QByteArray> stored = qrl::macroedit::storedText(m_edit->toPlainText());
    if (!stored) {
        qrl::ui().message(qrl::text(qrl::ids::kNotLatin1), qrl::Buttons::Ok, qrl::Icon::Warning);
        m_edit->setFocus();
        return;
    }
    m_tools.SetCustomText(m_row, *stored);
    qrl::saveDialogPlacement(this, section());
    QDialog::accept();
}
