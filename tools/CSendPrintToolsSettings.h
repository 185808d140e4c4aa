#pragma once

#include "SettingsKeys.h"

#include <QString>

// What the send dialog of the printer tools keeps in the profile, section "Send Print Tools":
// the printer chosen last and whether it belongs to the Tarnwick family. Its window placement
// is kept in the same section.
struct CSendPrintToolsSettings {
    static constexpr const char* kSection = qrl::settings::kSendPrintToolsSection;

    QString printer;
    bool tarnwick = false;

    bool operator==(const CSendPrintToolsSettings&) const = default;

    // Read as stored, also after a version change; defaults "" and 0.
    static CSendPrintToolsSettings read();
    // False when the profile could not take both values.
    static bool write(const CSendPrintToolsSettings& settings);
};

namespace qrl::sendtools {

// String id of the warning shown for a checked tool named `toolName` (the three formatting
// tools), 0 for any other tool.
int formatWarningId(const QString& toolName);

// String id of the status shown after sending: "All items were sent" or "No items were sent".
int resultTextId(bool sent);
// "Sending....", shown while the tools are sent.
int sendingTextId();

} // namespace qrl::sendtools
