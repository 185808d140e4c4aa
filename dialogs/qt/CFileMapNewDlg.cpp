#include "CFileMapNewDlg.h"

#include "FileMapRows.h"
#include "TypeList.h"
#include "UserInterface.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

CFileMapNewDlg::CFileMapNewDlg(QString* description, QString* /*typeWord*/, QString* extension, int listIndex,
                               Mode mode, QWidget* parent)
    : QDialog(parent), m_description(description), m_extension(extension)
{
    setWindowTitle(QStringLiteral("File Mapping"));
    m_types = qrl::makeTypeList(this);
    m_types->setObjectName(QStringLiteral("typeList"));
    m_types->setCurrentIndex(listIndex >= 0 && listIndex < m_types->count() ? listIndex : 0);
    m_types->setEnabled(mode == kNew);
    m_extensionEdit = new QLineEdit(this);
    m_extensionEdit->setObjectName(QStringLiteral("extensionEdit"));
    m_extensionEdit->setMaxLength(qrl::filemap::kMaxExtensionLength);
    // ";" and "," separate the parts and the extensions of a stored mapping.
    m_extensionEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;,]*")), m_extensionEdit));
    if (mode == kModify && extension)
        m_extensionEdit->setText(*extension);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setEnabled(!m_extensionEdit->text().isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_extensionEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_types, &QComboBox::currentIndexChanged, this, [this] { m_extensionEdit->setFocus(); });

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Resource Type:"), m_types);
    layout->addRow(QStringLiteral("File &Extension:"), m_extensionEdit);
    layout->addRow(buttons);
    m_extensionEdit->setFocus();
}

void CFileMapNewDlg::accept()
{
    if (m_extensionEdit->text().isEmpty())
        return;
    if (m_taken && m_taken(m_extensionEdit->text())) {
        qrl::ui().message(qrl::filemap::extensionTakenMessage(), qrl::Buttons::Ok, qrl::Icon::Information);
        m_extensionEdit->setFocus();
        m_extensionEdit->selectAll();
        return;
    }
    if (m_description)
        *m_description = m_types->currentText();
    if (m_extension)
        *m_extension = m_extensionEdit->text();
    QDialog::accept();
}
