#include "CSendPrintToolsSettings.h"

#include "Profile.h"
#include "StringTable.h"

#include <array>

namespace {

struct FormatWarning {
    int toolNameId;
    int warningId;
};

// "Format hard disk / micro drive", "Format PCMCIA card", "Format compact flash card".
constexpr std::array<FormatWarning, 3> kFormatWarnings{{
    {qrl::ids::kToolFormatHardDisk, qrl::ids::kFormatDiskWarning},
    {qrl::ids::kToolFormatPcmcia, qrl::ids::kFormatPcmciaWarning},
    {qrl::ids::kToolFormatCompactFlash, qrl::ids::kFormatCompactFlashWarning},
}};

} // namespace

CSendPrintToolsSettings CSendPrintToolsSettings::read()
{
    const QString section = QString::fromLatin1(kSection);
    CSendPrintToolsSettings settings;
    settings.printer = qrl::profile().getString(section, QString::fromLatin1(kPrinter));
    settings.tarnwick = qrl::profile().getInt(section, QString::fromLatin1(kTarnwick), 0) != 0;
    return settings;
}

bool CSendPrintToolsSettings::write(const CSendPrintToolsSettings& settings)
{
    const QString section = QString::fromLatin1(kSection);
    const bool printerWritten =
        qrl::profile().setString(section, QString::fromLatin1(kPrinter), settings.printer);
    const bool tarnwickWritten =
        qrl::profile().setInt(section, QString::fromLatin1(kTarnwick), settings.tarnwick ? 1 : 0);
    return printerWritten && tarnwickWritten;
}

namespace sendtools {

int formatWarningId(const QString& toolName)
{
    for (const FormatWarning& warning : kFormatWarnings) {
        if (toolName == qrl::text(warning.toolNameId))
            return warning.warningId;
    }
    return 0;
}

int resultTextId(bool sent)
{
    return sent ? qrl::ids::kAllItemsSent : qrl::ids::kNoItemsSent;
}

int sendingTextId()
{
    return qrl::ids::kSending;
}

} // namespace sendtools
