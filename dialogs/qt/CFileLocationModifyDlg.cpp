#include "CFileLocationModifyDlg.h"

#include "TextFormat.h"
#include "UserInterface.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFileLocationModifyDlg::CFileLocationModifyDlg(const QString& rowName, QString* directory, QWidget* parent)
    : QDialog(parent), m_result(directory), m_directory(directory ? *directory : QString())
{
    setWindowTitle(qrl::formatText(QStringLiteral("File Location: %s"), {rowName}));
    auto* name = new QLabel(rowName, this);
    name->setObjectName(QStringLiteral("rowNameLabel"));
    name->setTextFormat(Qt::PlainText);
    m_edit = new QLineEdit(m_directory, this);
    m_edit->setObjectName(QStringLiteral("directoryEdit"));
    auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    // The focus stays on Browse after the chooser closes: Enter then confirms the dialog rather
    // than opening the chooser again.
    browseButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &CFileLocationModifyDlg::browse);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_directory = text; });

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Resource Type:"), this), 0, 0);
    layout->addWidget(name, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Location:"), this), 1, 0);
    layout->addWidget(m_edit, 1, 1);
    layout->addWidget(browseButton, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    m_edit->setFocus();
}

void CFileLocationModifyDlg::browse()
{
    const std::optional<QString> chosen =
        qrl::ui().existingDirectory(QStringLiteral("Choose a folder"), m_directory);
    if (chosen)
        m_edit->setText(*chosen);
}

void CFileLocationModifyDlg::accept()
{
    if (m_result)
        *m_result = m_directory;
    QDialog::accept();
}
