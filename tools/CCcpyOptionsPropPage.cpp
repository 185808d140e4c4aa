#include "CCcpyOptionsPropPage.h"

#include "CcpyOptions.h"

namespace {

const OptionsMaskPropPage::Definition kDefinition = {
    "ccpyOptionsPage",
    "Multi-Part Form Creator Options",
    "CCPY Enable File",
    "CCPY Disable File",
    {{
        {"enableVersionBox", ccpy::options::kEnableVersion},
        {"enableTimeBox", ccpy::options::kEnableTime},
        {"enableExplainBox", ccpy::options::kEnableExplanation},
        {"disableVersionBox", ccpy::options::kDisableVersion},
        {"disableTimeBox", ccpy::options::kDisableTime},
        {"disableExplainBox", ccpy::options::kDisableExplanation},
    }},
    ccpy::options::storedMask,
    ccpy::options::storeMask,
};

} // namespace

CCcpyOptionsPropPage::CCcpyOptionsPropPage(QWidget* parent) : OptionsMaskPropPage(kDefinition, parent)
{
}
