#include "CAppOptsSettings.h"

#include "SettingsKeys.h"

namespace qrl::appopts {

Values initialValues(int appSplash, int appStartUpOption)
{
    Values values;
    values.splash = appSplash;
    values.startUpOption = appStartUpOption;
    values.fontIdMessages = qrl::read(qrl::settings::kFontIdMessages);
    return values;
}

int startUpOptionFromChoice(int checkedChoice, int current)
{
    if (checkedChoice < 0 || checkedChoice >= kStartUpChoices)
        return current;
    return checkedChoice;
}

bool store(const Values& values, const StartUpSink& sink)
{
    qrl::Profile& profile = qrl::profile();
    if (!qrl::write(profile, qrl::settings::kStartUpSplash, values.splash) ||
        !qrl::write(profile, qrl::settings::kStartUpOptions, values.startUpOption) ||
        !qrl::write(profile, qrl::settings::kFontIdMessages, values.fontIdMessages))
        return false;
    if (sink)
        sink(values.splash, values.startUpOption);
    return true;
}

} // namespace qrl::appopts
