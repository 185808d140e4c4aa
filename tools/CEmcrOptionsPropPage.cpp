#include "CEmcrOptionsPropPage.h"

#include "EmcrOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

struct OptionBox {
    const char* text;
    const char* objectName;
    int bit;
};

namespace opt = emcr::options;

// The first three boxes form the enable file's group, the last three the disable file's.
constexpr OptionBox kOptionBoxes[] = {
    {"Write Quorlyn &version in a CMNT comment line", "enableVersionBox", opt::kEnableVersion},
    {"Write creation &time in a CMNT comment line", "enableTimeBox", opt::kEnableTime},
    {"Write Tellurade commands &explanation in a CMNT comment line", "enableExplanationBox",
     opt::kEnableExplanation},
    {"Write &Quorlyn version in a CMNT comment line", "disableVersionBox", opt::kDisableVersion},
    {"Write &creation time in a CMNT comment line", "disableTimeBox", opt::kDisableTime},
    {"Write &Tellurade commands explanation in a CMNT comment line", "disableExplanationBox",
     opt::kDisableExplanation},
};
constexpr int kBoxesPerGroup = 3;

} // namespace

CEmcrOptionsPropPage::CEmcrOptionsPropPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emcrOptionsPage"));
    setWindowTitle(QStringLiteral("EMCR Creator Options"));
    const int stored = opt::storedMask();
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout* group = nullptr;
    for (int i = 0; i < kBoxCount; ++i) {
        if (i % kBoxesPerGroup == 0) {
            auto* box = new QGroupBox(i == 0 ? QStringLiteral("EMCR Enable File") : QStringLiteral("EMCR Disable File"),
                                      this);
            group = new QVBoxLayout(box);
            layout->addWidget(box);
        }
        const OptionBox& option = kOptionBoxes[i];
        auto* check = new QCheckBox(QString::fromLatin1(option.text), this);
        check->setObjectName(QString::fromLatin1(option.objectName));
        check->setChecked(stored & option.bit);
        connect(check, &QCheckBox::clicked, this, [this] {
            m_modified = true;
            emit modified();
        });
        group->addWidget(check);
        m_boxes[static_cast<std::size_t>(i)] = check;
    }
    layout->addStretch();
}

int CEmcrOptionsPropPage::mask() const
{
    int mask = 0;
    for (int i = 0; i < kBoxCount; ++i) {
        if (m_boxes[static_cast<std::size_t>(i)]->isChecked())
            mask |= kOptionBoxes[i].bit;
    }
    return mask;
}

bool CEmcrOptionsPropPage::apply()
{
    if (!opt::storeMask(mask()))
        return false;
    m_modified = false;
    return true;
}
