#pragma once

class QCheckBox;
class QRadioButton;
class QWidget;

// The duplex switch and the binding choice of a command-file creator: "Duplex on" and long or short
// edge binding, the binding offered only while duplex is on. The creator lays them out and
// connects the switch to what duplex changes in its job.
struct DuplexControls {
    QCheckBox* duplex = nullptr;
    QRadioButton* longEdge = nullptr;
    QRadioButton* shortEdge = nullptr;
};

// Makes the controls as children of `parent`: duplex off, long edge chosen, the binding disabled;
// `longEdge` follows the choice from then on and must outlive the controls.
DuplexControls makeDuplexControls(QWidget* parent, bool& longEdge);
