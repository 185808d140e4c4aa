#include "CVorlTargetDirectory.h"

#include "StringTable.h"
#include "ToolsTextIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

CVorlTargetDirectory::CVorlTargetDirectory(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Target Directory Name"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("directoryNameEdit"));
    m_edit->setMaxLength(kMaxLength);
    // The printer gets the name as Latin-1 bytes; a character outside it could not be stored as typed.
    m_edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x{0}-\\x{ff}]*")), m_edit));
    auto* label = new QLabel(qrl::text(qrl::ids::kVorlDirectoryLabel), this);
    label->setObjectName(QStringLiteral("directoryNameLabel"));
    label->setBuddy(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    m_edit->setFocus();
}

void CVorlTargetDirectory::accept()
{
    m_directoryName = m_edit->text();
    QDialog::accept();
}
