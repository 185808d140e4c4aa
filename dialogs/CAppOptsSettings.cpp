#include "CAppOptsSettings.h"

#include "Profile.h"

#include <QString>

namespace appopts {

namespace {

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

Values initialValues(int appSplash, int appStartUpOption)
{
    Values values;
    values.splash = appSplash;
    values.startUpOption = appStartUpOption;
    values.fontIdMessages = qrl::profile().getInt(name(kSection), name(kFontIdValue), 0);
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
    const QString section = name(kSection);
    if (!profile.setInt(section, name(kSplashValue), values.splash)
        || !profile.setInt(section, name(kStartUpValue), values.startUpOption)
        || !profile.setInt(section, name(kFontIdValue), values.fontIdMessages))
        return false;
    if (sink)
        sink(values.splash, values.startUpOption);
    return true;
}

} // namespace appopts
