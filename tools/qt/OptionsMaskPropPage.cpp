#include "OptionsMaskPropPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

constexpr const char* kBoxTexts[OptionsMaskPropPage::kBoxCount] = {
    "Write Quorlyn &version in a CMNT comment line",
    "Write creation &time in a CMNT comment line",
    "Write Tellurade commands &explanation in a CMNT comment line",
    "Write &Quorlyn version in a CMNT comment line",
    "Write &creation time in a CMNT comment line",
    "Write &Tellurade commands explanation in a CMNT comment line",
};
constexpr int kBoxesPerGroup = 3;

} // namespace

OptionsMaskPropPage::OptionsMaskPropPage(const Definition& definition, QWidget* parent)
    : QWidget(parent), m_definition(definition)
{
    setObjectName(QString::fromLatin1(definition.objectName));
    setWindowTitle(QString::fromLatin1(definition.title));
    const int stored = definition.storedMask();
    auto* layout = new QVBoxLayout(this);
    QVBoxLayout* group = nullptr;
    for (int i = 0; i < kBoxCount; ++i) {
        if (i % kBoxesPerGroup == 0) {
            const char* caption = i == 0 ? definition.enableGroup : definition.disableGroup;
            auto* box = new QGroupBox(QString::fromLatin1(caption), this);
            group = new QVBoxLayout(box);
            layout->addWidget(box);
        }
        const Box& option = definition.boxes[static_cast<std::size_t>(i)];
        auto* check = new QCheckBox(QString::fromLatin1(kBoxTexts[i]), this);
        check->setObjectName(QString::fromLatin1(option.objectName));
        check->setChecked((stored & option.bit) != 0);
        connect(check, &QCheckBox::clicked, this, [this] {
            m_modified = true;
            emit modified();
        });
        group->addWidget(check);
        m_boxes[static_cast<std::size_t>(i)] = check;
    }
    layout->addStretch();
}

int OptionsMaskPropPage::mask() const
{
    int mask = 0;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked())
            mask |= m_definition.boxes[i].bit;
    }
    return mask;
}

bool OptionsMaskPropPage::apply()
{
    if (!m_definition.storeMask(mask()))
        return false;
    m_modified = false;
    return true;
}
