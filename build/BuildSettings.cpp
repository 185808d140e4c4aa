#include "BuildSettings.h"

#include "Profile.h"

namespace qrl::build {

namespace {

const QString kSection = QString::fromLatin1(kBuildSection);
const QString kPrinter = QStringLiteral("Printer");
const QString kMessageOptions = QStringLiteral("BuildMsgOptions");
const QString kWriteProtection = QStringLiteral("CFWriteProtection");
const QString kTarnwick = QStringLiteral("bTarnwick");

} // namespace

BuildSettings LoadBuildSettings()
{
    const BuildSettings defaults;
    const Profile& store = profile();
    BuildSettings settings;
    settings.printer = store.getString(kSection, kPrinter, defaults.printer);
    settings.messageOptions = store.getInt(kSection, kMessageOptions, defaults.messageOptions);
    settings.writeProtection = store.getInt(kSection, kWriteProtection, defaults.writeProtection);
    settings.tarnwick = store.getInt(kSection, kTarnwick, defaults.tarnwick);
    return settings;
}

bool SaveBuildSettings(const BuildSettings& settings)
{
    Profile& store = profile();
    const bool printer = store.setString(kSection, kPrinter, settings.printer);
    const bool options = store.setInt(kSection, kMessageOptions, settings.messageOptions);
    return printer && options;
}

} // namespace qrl::build
