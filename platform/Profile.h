#pragma once

#include <QString>
#include <QStringList>

namespace qrl {

// The per-user settings store, read and written by section and value name.
// Every write is a whole-store commit: a failed write answers false and leaves the old store.
class Profile {
public:
    virtual ~Profile() = default;

    virtual int getInt(const QString& section, const QString& name, int defaultValue) const = 0;
    virtual QString getString(const QString& section, const QString& name,
                              const QString& defaultValue = {}) const = 0;
    virtual bool setInt(const QString& section, const QString& name, int value) = 0;
    virtual bool setString(const QString& section, const QString& name, const QString& value) = 0;
    virtual bool contains(const QString& section, const QString& name) const = 0;
    virtual bool removeValue(const QString& section, const QString& name) = 0;
    // Deletes the section with all its values.
    virtual bool removeSection(const QString& section) = 0;
    virtual QStringList valueNames(const QString& section) const = 0;
};

} // namespace qrl

namespace qrl {

// The profile in use. Before one is installed it is a private in-memory one, so nothing reaches
// the user's store by accident (tests install their own).
Profile& profile();
// Installs `profile` (not owned); nullptr goes back to the in-memory one. Returns the previous one.
Profile* setProfile(Profile* profile);

} // namespace qrl
