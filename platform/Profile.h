#pragma once

#include <QString>
#include <QStringList>

namespace qrl {

// How long the write of kept values waits while another running program holds the store.
enum class LockWait {
    Brief,  // a moment: the values stay kept and go with the next write
    AtExit, // the end of the run, the last chance: seconds, then the user is told
};

// The per-user settings store, read and written by section and value name.
// Every write is a whole-store commit: a failed write answers false and leaves the old store.
//
// The stores of one user action (the start-up, a dialog's OK, the shutdown) reach the store in one
// write: between beginBatch() and the matching endBatch() they are kept in memory and answer true,
// and the outermost endBatch() writes them together. Batches nest. Use ProfileBatch.
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

    virtual void beginBatch() {}
    // Ends a batch; the outermost one writes what is kept. False when that write failed (the values
    // stay kept for a later one). With `failure`, the cause goes there and the caller tells the
    // user; otherwise the store does, once.
    virtual bool endBatch(LockWait /*wait*/ = LockWait::Brief, QString* /*failure*/ = nullptr)
    {
        return true;
    }
};

} // namespace qrl

namespace qrl {

// The profile in use. Before one is installed it is a private in-memory one, so nothing reaches
// the user's store by accident (tests install their own).
Profile& profile();
// Installs `profile` (not owned); nullptr goes back to the in-memory one. Returns the previous one.
Profile* setProfile(Profile* profile);

// A batch on a profile for the lifetime of the object: the stores of one user action go to the
// store in one write, at commit() or, without one, when the object ends.
class ProfileBatch {
public:
    explicit ProfileBatch(Profile& profile, LockWait wait = LockWait::Brief);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Ends the batch now (see Profile::endBatch()); a second call answers true and does nothing.
    bool commit(QString* failure = nullptr);

private:
    Profile& m_profile;
    LockWait m_wait;
    bool m_open = true;
};

} // namespace qrl
