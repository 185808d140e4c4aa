#include "CCcpyOptionsPropPage.h"

#include "CcpyOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

struct Box {
    const char* text;
    const char* objectName;
    int bit;
};

// The first three belong to the enable file's group, the others to the disable file's.
constexpr Box kBoxes[CCcpyOptionsPropPage::kBoxCount] = {
    {"Write Quorlyn &version in a CMNT comment line", "enableVersionBox", ccpy::kEnableVersion},
    {"Write creation &time in a CMNT comment line", "enableTimeBox", ccpy::kEnableTime},
    {"Write Tellurade commands &explanation in a CMNT comment line", "enableExplainBox", ccpy::kExplain},
    {"Write &Quorlyn version in a CMNT comment line", "disableVersionBox", ccpy::kDisableVersion},
    {"Write &creation time in a CMNT comment line", "disableTimeBox", ccpy::kDisableTime},
    {"Write &Tellurade commands explanation in a CMNT comment line", "disableExplainBox", ccpy::kDisableExplain},
};

} // namespace

CCcpyOptionsPropPage::CCcpyOptionsPropPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ccpyOptionsPage"));
    setWindowTitle(QStringLiteral("Multi-Part Form Creator Options"));
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout* group = nullptr;
    const int stored = ccpy::storedOptions();
    for (int i = 0; i < kBoxCount; ++i) {
        if (i % 3 == 0) {
            auto* box = new QGroupBox(QString::fromLatin1(i == 0 ? "CCPY Enable File" : "CCPY Disable File"), this);
            group = new QVBoxLayout(box);
            layout->addWidget(box);
        }
        auto* check = new QCheckBox(QString::fromLatin1(kBoxes[i].text), this);
        check->setObjectName(QString::fromLatin1(kBoxes[i].objectName));
        check->setChecked((stored & kBoxes[i].bit) != 0);
        connect(check, &QCheckBox::clicked, this, [this] {
            m_modified = true;
            emit modified();
        });
        group->addWidget(check);
        m_boxes[static_cast<std::size_t>(i)] = check;
    }
    layout->addStretch();
}

int CCcpyOptionsPropPage::mask() const
{
    int mask = 0;
    for (int i = 0; i < kBoxCount; ++i) {
        if (m_boxes[static_cast<std::size_t>(i)]->isChecked())
            mask |= kBoxes[i].bit;
    }
    return mask;
}

bool CCcpyOptionsPropPage::apply()
{
    if (!ccpy::storeOptions(mask()))
        return false;
    m_modified = false;
    return true;
}
