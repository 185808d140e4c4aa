#include "DuplexControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

DuplexControls makeDuplexControls(QWidget* parent, bool& longEdge)
{
    DuplexControls controls;
    controls.duplex = new QCheckBox(QStringLiteral("Duplex &on"), parent);
    controls.duplex->setObjectName(QStringLiteral("duplexBox"));
    controls.longEdge = new QRadioButton(QStringLiteral("&Long edge binding"), parent);
    controls.longEdge->setObjectName(QStringLiteral("longEdgeButton"));
    controls.shortEdge = new QRadioButton(QStringLiteral("&Short edge binding"), parent);
    controls.shortEdge->setObjectName(QStringLiteral("shortEdgeButton"));
    // One group keeps the two exclusive wherever the creator's layout puts them.
    auto* binding = new QButtonGroup(parent);
    binding->addButton(controls.longEdge);
    binding->addButton(controls.shortEdge);
    controls.longEdge->setChecked(true);
    controls.longEdge->setEnabled(false);
    controls.shortEdge->setEnabled(false);
    QRadioButton* longButton = controls.longEdge;
    QRadioButton* shortButton = controls.shortEdge;
    QObject::connect(controls.duplex, &QCheckBox::toggled, longButton, [longButton, shortButton](bool on) {
        longButton->setEnabled(on);
        shortButton->setEnabled(on);
    });
    QObject::connect(longButton, &QRadioButton::toggled, longButton, [&longEdge](bool on) { longEdge = on; });
    return controls;
}
