#pragma once

#include "Profile.h"

#include <QList>
#include <QMap>
#include <QVariant>

namespace qrl {

// The user's store: organisation "Zentrix", application "Quorlyn32"
// (~/.config/Zentrix/Quorlyn32.conf, or below $XDG_CONFIG_HOME), in the ini form QSettings reads
// and writes. Sections are groups.
//
// The values are read once and held in memory. A write puts this instance's changes, kept as a
// journal of stores and removals in the order made, onto what is on disk at that moment, under the
// lock file QSettings uses, so that two instances keep each other's values; the journal is then
// cleared, so a removal is made once. QSettings serialises the merged values into a scratch file of
// the run's temporary folder, the values are read back from it and compared, and only then do its
// bytes replace the file through the one writer.
//
// Nothing is written without the lock. While another instance holds it, a store waits a moment only,
// keeps its changes and answers true: they go with the next write, and at the end of the run
// (LockWait::AtExit) the write waits some seconds; when even then the lock cannot be had, the user
// is told once. A write that does not reach the disk answers false, keeps the earlier file byte for
// byte and keeps the changes for a later write; the first such failure tells the user through the
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
    void beginBatch() override;
    bool endBatch(LockWait wait = LockWait::Brief, QString* failure = nullptr) override;

    QString fileName() const { return m_path; }
    // How long a write at the end of the run waits for another instance's lock.
    void setExitLockWait(int milliseconds) { m_exitLockWaitMs = milliseconds; }

private:
    using Values = QMap<QString, QVariant>;

    // One change as it was made: a value stored (valid) or removed (invalid), or a whole section removed.
    struct Change {
        QString key;
        QVariant value;
        bool wholeSection = false;
    };

    void load();
    bool record(Change change);
    bool commit(LockWait wait, QString* failureOut);
    void tell(bool& shown, const QString& message);
    QVariant value(const QString& key) const;
    static QString key(const QString& section, const QString& name);
    static bool inSection(const QString& key, const QString& group);

    QString m_path;
    Values m_values;         // the file's own values by "section/name"
    Values m_fallbacks;      // read-only values of the system-wide and organisation files
    QList<Change> m_changes; // this instance's changes not yet stored, oldest first
    int m_batchDepth = 0;
    int m_exitLockWaitMs;
    bool m_unreadable = false; // the file is there but could not be read; it is never replaced
    bool m_noticeShown = false;
    bool m_lockNoticeShown = false;
};

} // namespace qrl
