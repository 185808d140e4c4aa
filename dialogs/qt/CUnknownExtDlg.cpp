#include "CUnknownExtDlg.h"
#include "DialogPlacement.h"

#include "TypeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CUnknownExtDlg::CUnknownExtDlg(const QString& path, int* index, bool* remember, QWidget* parent)
    : QDialog(parent), m_index(index), m_remember(remember)
{
    setWindowTitle(QStringLiteral("Unknown Extension"));
    auto* file = new QLabel(path, this);
    file->setObjectName(QStringLiteral("pathLabel"));
    file->setTextFormat(Qt::PlainText);
    auto* prompt =
        new QLabel(QStringLiteral("Quorlyn32 does not recognize the extension for this file\n Please "
                                  "select a type description from the list below:"),
                   this);
    prompt->setTextFormat(Qt::PlainText);
    m_types = qrl::makeTypeList(this);
    m_types->setObjectName(QStringLiteral("typeList"));
    m_types->setCurrentIndex(0);
    m_rememberBox = new QCheckBox(
        QStringLiteral("&Load the files with this extension everytime as selected resource type"), this);
    m_rememberBox->setObjectName(QStringLiteral("rememberCheck"));
    m_rememberBox->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(prompt);
    layout->addWidget(m_types);
    layout->addWidget(m_rememberBox);
    layout->addWidget(buttons);
}

void CUnknownExtDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Asked in the middle of an add, perhaps with no parent: it must not open behind the main window.
    raise();
    activateWindow();
}

void CUnknownExtDlg::accept()
{
    if (m_index)
        *m_index = m_types->currentIndex();
    if (m_remember)
        *m_remember = m_rememberBox->isChecked();
    QDialog::accept();
}

std::optional<UnknownExtensionChoice> CUnknownExtDlg::Question::ask(const QString& path)
{
    UnknownExtensionChoice choice;
    CUnknownExtDlg dialog(path, &choice.subtype, &choice.remember, qrl::dialogParent(m_parent));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choice;
}
