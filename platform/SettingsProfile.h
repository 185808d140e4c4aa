#pragma once

#include "Profile.h"

#include <QSettings>

#include <memory>

namespace qrl {

// The user's store: organisation "Zentrix", application "Quorlyn32"
// (~/.config/Zentrix/Quorlyn32.conf, or below $XDG_CONFIG_HOME). Sections are groups.
// Each write is synced at once; QSettings replaces the file whole, so a crash never leaves half.
class SettingsProfile : public Profile {
public:
    SettingsProfile();
    // A store at an explicit ini path (used by tools and tests).
    explicit SettingsProfile(const QString& iniPath);

    int getInt(const QString& section, const QString& name, int defaultValue) const override;
    QString getString(const QString& section, const QString& name,
                      const QString& defaultValue = {}) const override;
    bool setInt(const QString& section, const QString& name, int value) override;
    bool setString(const QString& section, const QString& name, const QString& value) override;
    bool contains(const QString& section, const QString& name) const override;
    bool removeValue(const QString& section, const QString& name) override;
    bool removeSection(const QString& section) override;
    QStringList valueNames(const QString& section) const override;

    QString fileName() const { return m_settings->fileName(); }

private:
    bool commit();
    static QString key(const QString& section, const QString& name);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace qrl
