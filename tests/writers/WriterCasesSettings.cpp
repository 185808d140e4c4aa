#include "WriterCases.h"

#include "SettingsProfile.h"

namespace qrl::test {

std::vector<WriterCase> settingsWriters()
{
    return {
        {"settings_profile",
         [](const QString& path) {
             SettingsProfile profile(path);
             return profile.setString(QStringLiteral("File Mappings"), QStringLiteral("Map #1"),
                                      QStringLiteral("ttf;FONT;True Type Font"));
         }},
    };
}

} // namespace qrl::test
