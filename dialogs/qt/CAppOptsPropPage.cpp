#include "CAppOptsPropPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace {

struct StartUpChoice {
    const char* text;
    const char* objectName;
};

// Indexed by the start-up option they stand for.
constexpr StartUpChoice kStartUpChoiceTexts[qrl::appopts::kStartUpChoices] = {
    {"Open &last saved project", "openLastProjectButton"},
    {"Create &new project", "createNewProjectButton"},
    {"Do nothin&g", "doNothingButton"},
};

} // namespace

CAppOptsPropPage::CAppOptsPropPage(const qrl::appopts::Values& initial, qrl::appopts::StartUpSink sink,
                                   QWidget* parent)
    : QWidget(parent), m_startUpOption(initial.startUpOption), m_sink(std::move(sink))
{
    setObjectName(QStringLiteral("globalOptionsPage"));
    setWindowTitle(QStringLiteral("Global Options"));
    auto* layout = new QVBoxLayout(this);

    auto* startUpBox = new QGroupBox(QStringLiteral("Startup Options"), this);
    auto* startUpLayout = new QVBoxLayout(startUpBox);
    m_splash = new QCheckBox(QStringLiteral("&Show splash screen"), startUpBox);
    m_splash->setObjectName(QStringLiteral("splashBox"));
    m_splash->setChecked(initial.splash != 0);
    connect(m_splash, &QCheckBox::clicked, this, &CAppOptsPropPage::markModified);
    startUpLayout->addWidget(m_splash);
    m_startUp = new QButtonGroup(this);
    for (int choice = 0; choice < qrl::appopts::kStartUpChoices; ++choice) {
        const StartUpChoice& text = kStartUpChoiceTexts[choice];
        auto* button = new QRadioButton(QString::fromLatin1(text.text), startUpBox);
        button->setObjectName(QString::fromLatin1(text.objectName));
        m_startUp->addButton(button, choice);
        startUpLayout->addWidget(button);
    }
    if (QAbstractButton* button = m_startUp->button(initial.startUpOption))
        button->setChecked(true);
    connect(m_startUp, &QButtonGroup::buttonClicked, this, &CAppOptsPropPage::markModified);
    layout->addWidget(startUpBox);

    auto* fontBox = new QGroupBox(QStringLiteral("Font Message Options"), this);
    auto* fontLayout = new QVBoxLayout(fontBox);
    m_fontIdMessages = new QCheckBox(QStringLiteral("Display &verbose font ID messages"), fontBox);
    m_fontIdMessages->setObjectName(QStringLiteral("fontIdMessagesBox"));
    m_fontIdMessages->setChecked(initial.fontIdMessages != 0);
    connect(m_fontIdMessages, &QCheckBox::clicked, this, &CAppOptsPropPage::markModified);
    fontLayout->addWidget(m_fontIdMessages);
    layout->addWidget(fontBox);
    layout->addStretch();
}

qrl::appopts::Values CAppOptsPropPage::values() const
{
    qrl::appopts::Values values;
    values.splash = m_splash->isChecked() ? 1 : 0;
    values.startUpOption = qrl::appopts::startUpOptionFromChoice(m_startUp->checkedId(), m_startUpOption);
    values.fontIdMessages = m_fontIdMessages->isChecked() ? 1 : 0;
    return values;
}

bool CAppOptsPropPage::apply()
{
    const qrl::appopts::Values stored = values();
    if (!qrl::appopts::store(stored, m_sink))
        return false;
    m_startUpOption = stored.startUpOption;
    m_modified = false;
    return true;
}

void CAppOptsPropPage::markModified()
{
    m_modified = true;
    emit modified();
}
