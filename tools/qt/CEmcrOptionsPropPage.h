#pragma once

#include "OptionsMaskPropPage.h"

// "EMCR Creator Options": which comment lines the EMCR creator writes into its enable and its
// disable file, as six boxes over the mask stored in "Options" / "EmcrOptions".
class CEmcrOptionsPropPage : public OptionsMaskPropPage {
    Q_OBJECT
public:
    explicit CEmcrOptionsPropPage(QWidget* parent = nullptr);
};
