#include "CVorlDownloaderOptionsPropPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CVorlDownloaderOptionsPropPage::CVorlDownloaderOptionsPropPage(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Vorl Font Downloader Options"));
    auto* targetGroup = new QGroupBox(QStringLiteral("Target Font Directory"), this);
    m_allowModifyTarget =
        new QCheckBox(QStringLiteral("Allow &modify target font directory name "), targetGroup);
    m_allowModifyTarget->setObjectName(QStringLiteral("allowModifyTargetCheck"));
    (new QVBoxLayout(targetGroup))->addWidget(m_allowModifyTarget);

    auto* listGroup = new QGroupBox(QStringLiteral("Print Font List"), this);
    m_flstMethod =
        new QRadioButton(QStringLiteral("Print Font &Resource List with Tellurade FLST command"), listGroup);
    m_flstMethod->setObjectName(QStringLiteral("flstMethodRadio"));
    m_postScriptMethod =
        new QRadioButton(QStringLiteral("Print Font &File List with Postscript commands"), listGroup);
    m_postScriptMethod->setObjectName(QStringLiteral("postScriptMethodRadio"));
    auto* methods = new QButtonGroup(this);
    methods->addButton(m_flstMethod, 0);
    methods->addButton(m_postScriptMethod, 1);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_flstMethod);
    listLayout->addWidget(m_postScriptMethod);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(targetGroup);
    layout->addWidget(listGroup);
    layout->addStretch();

    m_optionValue = qrl::vorloptions::read();
    const qrl::vorloptions::PageChoice stored = qrl::vorloptions::choiceFromValue(m_optionValue);
    m_allowModifyTarget->setChecked(stored.allowModifyTarget != 0);
    (stored.fontListMethod == 0 ? m_flstMethod : m_postScriptMethod)->setChecked(true);

    connect(m_allowModifyTarget, &QCheckBox::clicked, this, &CVorlDownloaderOptionsPropPage::changed);
    connect(methods, &QButtonGroup::idClicked, this, &CVorlDownloaderOptionsPropPage::changed);
}

qrl::vorloptions::PageChoice CVorlDownloaderOptionsPropPage::choice() const
{
    qrl::vorloptions::PageChoice c;
    c.allowModifyTarget = m_allowModifyTarget->isChecked() ? 1 : 0;
    c.fontListMethod = m_flstMethod->isChecked() ? 0 : 1;
    return c;
}

bool CVorlDownloaderOptionsPropPage::apply()
{
    m_optionValue = qrl::vorloptions::valueFromChoice(choice());
    return qrl::vorloptions::write(m_optionValue);
}
