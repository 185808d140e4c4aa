#include "VorlDownloaderSettings.h"

#include "Profile.h"
#include "SettingsKeys.h"

namespace {

constexpr qrl::settings::IntSetting kColumns[VorlDownloaderSettings::kColumnCount] = {
    qrl::settings::kVorlDescriptionWidth,
    qrl::settings::kVorlTargetPathWidth,
    qrl::settings::kVorlLocalPathWidth,
    qrl::settings::kVorlFileSizeWidth,
};

} // namespace

VorlDownloaderSettings VorlDownloaderSettings::load(bool useDefaultWidths)
{
    const qrl::Profile& profile = qrl::profile();
    VorlDownloaderSettings s;
    s.printer = qrl::read(profile, qrl::settings::kVorlPrinter);
    s.mediumType = qrl::fontdownload::mediumFromValue(qrl::read(profile, qrl::settings::kVorlMediumType));
    for (int i = 0; i < kColumnCount; ++i)
        s.columnWidths[i] = useDefaultWidths ? kColumns[i].defaultValue : qrl::read(profile, kColumns[i]);
    return s;
}

bool VorlDownloaderSettings::save() const
{
    qrl::Profile& profile = qrl::profile();
    // The printer, the medium and the column widths go to the settings file in one write.
    qrl::ProfileBatch batch(profile);
    bool ok = qrl::write(profile, qrl::settings::kVorlPrinter, printer);
    ok =
        qrl::write(profile, qrl::settings::kVorlMediumType, qrl::fontdownload::mediumValue(mediumType)) && ok;
    for (int i = 0; i < kColumnCount; ++i)
        ok = qrl::write(profile, kColumns[i], columnWidths[i]) && ok;
    return batch.commit() && ok;
}
