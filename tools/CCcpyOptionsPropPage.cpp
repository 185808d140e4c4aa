#include "CCcpyOptionsPropPage.h"

#include "CcpyOptions.h"

namespace {

const OptionsMaskPropPage::Definition kDefinition = {
    "ccpyOptionsPage",
    "Multi-Part Form Creator Options",
    "CCPY Enable File",
    "CCPY Disable File",
    {{
        {"enableVersionBox", ccpy::kEnableVersion},
        {"enableTimeBox", ccpy::kEnableTime},
        {"enableExplainBox", ccpy::kExplain},
        {"disableVersionBox", ccpy::kDisableVersion},
        {"disableTimeBox", ccpy::kDisableTime},
        {"disableExplainBox", ccpy::kDisableExplain},
    }},
    ccpy::storedOptions,
    ccpy::storeOptions,
};

} // namespace

CCcpyOptionsPropPage::CCcpyOptionsPropPage(QWidget* parent) : OptionsMaskPropPage(kDefinition, parent)
{
}
