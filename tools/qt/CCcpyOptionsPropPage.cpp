#include "CCcpyOptionsPropPage.h"

#include "CcpyOptions.h"

namespace {

const OptionsMaskPropPage::Definition kDefinition = {
    "ccpyOptionsPage",
    "Multi-Part Form Creator Options",
    "CCPY Enable File",
    "CCPY Disable File",
    {{
        {"enableVersionBox", qrl::ccpy::options::kEnableVersion},
        {"enableTimeBox", qrl::ccpy::options::kEnableTime},
        {"enableExplainBox", qrl::ccpy::options::kEnableExplanation},
        {"disableVersionBox", qrl::ccpy::options::kDisableVersion},
        {"disableTimeBox", qrl::ccpy::options::kDisableTime},
        {"disableExplainBox", qrl::ccpy::options::kDisableExplanation},
    }},
    qrl::ccpy::options::storedMask,
    qrl::ccpy::options::storeMask,
};

} // namespace

CCcpyOptionsPropPage::CCcpyOptionsPropPage(QWidget* parent) : OptionsMaskPropPage(kDefinition, parent)
{
}
