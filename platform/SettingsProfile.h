#pragma once

#include "Profile.h"

#include <QMap>
#include <QVariant>

namespace qrl {

// The user's store: organisation "Zentrix", application "Quorlyn32"
// (~/.config/Zentrix/Quorlyn32.conf, or below $XDG_CONFIG_HOME), in the ini form QSettings reads
// and writes. Sections are groups.
//
// The values are read once and held in memory. Each write stores this instance's changes into
// what is on disk at that moment, under the lock file QSettings uses, so that two instances keep
// each other's values: QSettings serialises the merged values into a scratch file of the run's
// temporary folder, the values are read back from it and compared, and only then do its bytes
// replace the file through the one writer. A write that does not reach the disk answers false,
// keeps the earlier file byte for byte and keeps the change in memory for the run (a later write
// that succeeds stores it too); the first such failure of a profile tells the user through the
// user interface, later ones do not.
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

    QString fileName() const { return m_path; }

private:
    using Values = QMap<QString, QVariant>;

    void load();
    bool commit();
    QVariant value(const QString& key) const;
    static QString key(const QString& section, const QString& name);
    static bool inSection(const QString& key, const QString& group);

    QString m_path;
    Values m_values;               // the file's own values by "section/name"
    Values m_fallbacks;            // read-only values of the system-wide and organisation files
    Values m_changes;              // this instance's changes not yet stored; an invalid value removes
    QStringList m_removedSections; // groups removed and not yet stored, applied before m_changes
    bool m_unreadable = false;     // the file is there but could not be read; it is never replaced
    bool m_noticeShown = false;
};

} // namespace qrl
