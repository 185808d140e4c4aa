#include "BuildSettings.h"

#include "Profile.h"
#include "SettingsKeys.h"

namespace qrl::build {

BuildSettings LoadBuildSettings()
{
    BuildSettings values;
    values.printer = read(settings::kBuildPrinter);
    values.messageOptions = read(settings::kBuildMessageOptions);
    values.writeProtection = read(settings::kBuildWriteProtection);
    values.tarnwick = read(settings::kBuildTarnwick);
    return values;
}

bool SaveBuildSettings(const BuildSettings& values)
{
    // The dialog's values go to the settings file in one write.
    ProfileBatch batch(profile());
    const bool printer = write(settings::kBuildPrinter, values.printer);
    const bool options = write(settings::kBuildMessageOptions, values.messageOptions);
    return batch.commit() && printer && options;
}

} // namespace qrl::build
