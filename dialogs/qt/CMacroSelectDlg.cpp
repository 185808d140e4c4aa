#include "CMacroSelectDlg.h"
#include "DialogPlacement.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CMacroSelectDlg::CMacroSelectDlg(int* answer, const QString& fileName, QWidget* parent)
    : QDialog(parent), m_answer(answer)
{
    setWindowTitle(QStringLiteral("Set macro type"));
    auto* file = new QLabel(fileName, this);
    file->setObjectName(QStringLiteral("fileNameLabel"));
    file->setTextFormat(Qt::PlainText);
    auto* isA = new QLabel(QStringLiteral("is a:"), this);
    m_tellurade = new QRadioButton(QStringLiteral("&Tellurade macro"), this);
    m_tellurade->setObjectName(QStringLiteral("telluradeRadio"));
    m_tellurade->setChecked(true);
    m_pcl = new QRadioButton(QStringLiteral("PC&L macro"), this);
    m_pcl->setObjectName(QStringLiteral("pclRadio"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(isA);
    layout->addWidget(m_tellurade);
    layout->addWidget(m_pcl);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void CMacroSelectDlg::accept()
{
    if (m_answer)
        *m_answer = m_tellurade->isChecked() ? ProjectFileMacroQuestion::kTelluradeMacro
                                             : ProjectFileMacroQuestion::kPclMacro;
    QDialog::accept();
}

int CMacroSelectDlg::Question::askMacroType(const QString& fileName)
{
    int answer = ProjectFileMacroQuestion::kPclMacro;
    CMacroSelectDlg dialog(&answer, fileName, qrl::dialogParent(m_parent));
    dialog.exec();
    return answer;
}
