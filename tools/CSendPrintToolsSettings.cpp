#include "CSendPrintToolsSettings.h"

#include "PrintingTextIds.h"
#include "Profile.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "ToolsTextIds.h"

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
    CSendPrintToolsSettings settings;
    settings.printer = qrl::read(qrl::settings::kSendPrintToolsPrinter);
    settings.tarnwick = qrl::read(qrl::settings::kSendPrintToolsTarnwick) != 0;
    return settings;
}

bool CSendPrintToolsSettings::write(const CSendPrintToolsSettings& settings)
{
    // The dialog's values go to the settings file in one write.
    qrl::ProfileBatch batch(qrl::profile());
    const bool printerWritten = qrl::write(qrl::settings::kSendPrintToolsPrinter, settings.printer);
    const bool tarnwickWritten =
        qrl::write(qrl::settings::kSendPrintToolsTarnwick, settings.tarnwick ? 1 : 0);
    return batch.commit() && printerWritten && tarnwickWritten;
}

namespace qrl::sendtools {

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

} // namespace qrl::sendtools
