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
        // The stores of one user action, written together at its end.
        {"settings_profile_batch",
         [](const QString& path) {
             SettingsProfile profile(path);
             ProfileBatch action(profile);
             profile.removeSection(QStringLiteral("File Mappings"));
             profile.setString(QStringLiteral("File Mappings"), QStringLiteral("Map #0"),
                               QStringLiteral("ttf;FONT;True Type Font"));
             profile.setString(QStringLiteral("Settings"), QStringLiteral("version"), QStringLiteral("1"));
             return action.commit();
         }},
    };
}

} // namespace qrl::test
