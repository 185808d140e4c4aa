#pragma once

#include "OptionsMaskPropPage.h"

// "Multi-Part Form Creator Options": which comment lines the CCPY creator writes, six boxes kept
// as one mask in "Options" / "CcpyOptions". The page reads the stored mask when it is made,
// whatever the version-changed flag says; apply() stores the boxes' mask (bits 0x02-0x40 only).
class CCcpyOptionsPropPage : public OptionsMaskPropPage {
    Q_OBJECT
public:
    explicit CCcpyOptionsPropPage(QWidget* parent = nullptr);
};
