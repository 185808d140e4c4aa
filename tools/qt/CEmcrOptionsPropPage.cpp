#include "CEmcrOptionsPropPage.h"

#include "EmcrOptions.h"

namespace {

namespace opt = qrl::emcr::options;

const OptionsMaskPropPage::Definition kDefinition = {
    "emcrOptionsPage",
    "EMCR Creator Options",
    "EMCR Enable File",
    "EMCR Disable File",
    {{
        {"enableVersionBox", opt::kEnableVersion},
        {"enableTimeBox", opt::kEnableTime},
        {"enableExplanationBox", opt::kEnableExplanation},
        {"disableVersionBox", opt::kDisableVersion},
        {"disableTimeBox", opt::kDisableTime},
        {"disableExplanationBox", opt::kDisableExplanation},
    }},
    opt::storedMask,
    opt::storeMask,
};

} // namespace

CEmcrOptionsPropPage::CEmcrOptionsPropPage(QWidget* parent) : OptionsMaskPropPage(kDefinition, parent)
{
}
