#include "BuildSettings.h"

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
    const bool printer = write(settings::kBuildPrinter, values.printer);
    const bool options = write(settings::kBuildMessageOptions, values.messageOptions);
    return printer && options;
}

} // namespace qrl::build
