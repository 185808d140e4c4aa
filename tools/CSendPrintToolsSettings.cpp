#include "CSendPrintToolsSettings.h"

#include "SettingsKeys.h"
#include "StringTable.h"

#include <array>

namespace {

constexpr int kSending = 2328;
constexpr int kAllSent = 2329;
constexpr int kNoneSent = 2330;

struct FormatWarning {
    int toolNameId;
    int warningId;
};

// "Format hard disk / micro drive", "Format PCMCIA card", "Format compact flash card".
constexpr std::array<FormatWarning, 3> kFormatWarnings{{{2003, 2202}, {2005, 3030}, {2007, 3031}}};

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
    const bool printerWritten = qrl::write(qrl::settings::kSendPrintToolsPrinter, settings.printer);
    const bool tarnwickWritten =
        qrl::write(qrl::settings::kSendPrintToolsTarnwick, settings.tarnwick ? 1 : 0);
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
    return sent ? kAllSent : kNoneSent;
}

int sendingTextId()
{
    return kSending;
}

} // namespace sendtools
