#include "VorlDownloaderSettings.h"

#include "Profile.h"

namespace {

constexpr char kPrinterKey[] = "Printer";
constexpr char kMediumKey[] = "nMediumType";

struct Column {
    const char* key;
    int defaultWidth;
};
constexpr Column kColumns[VorlDownloaderSettings::kColumnCount] = {
    {"widthColumnDescription", 170},
    {"widthColumnTargetPath", 200},
    {"widthColumnLocalPath", 180},
    {"widthColumnFileSize", 170},
};

QString section()
{
    return QString::fromLatin1(VorlDownloaderSettings::kSection);
}

} // namespace

VorlDownloaderSettings VorlDownloaderSettings::load(bool useDefaultWidths)
{
    const qrl::Profile& profile = qrl::profile();
    VorlDownloaderSettings s;
    s.printer = profile.getString(section(), QLatin1String(kPrinterKey));
    s.mediumType = profile.getInt(section(), QLatin1String(kMediumKey), 0) == 1 ? 1 : 0;
    for (int i = 0; i < kColumnCount; ++i) {
        s.columnWidths[i] = useDefaultWidths ? kColumns[i].defaultWidth
                                             : profile.getInt(section(), QLatin1String(kColumns[i].key),
                                                              kColumns[i].defaultWidth);
    }
    return s;
}

bool VorlDownloaderSettings::save() const
{
    qrl::Profile& profile = qrl::profile();
    bool ok = profile.setString(section(), QLatin1String(kPrinterKey), printer);
    ok = profile.setInt(section(), QLatin1String(kMediumKey), mediumType) && ok;
    for (int i = 0; i < kColumnCount; ++i)
        ok = profile.setInt(section(), QLatin1String(kColumns[i].key), columnWidths[i]) && ok;
    return ok;
}
