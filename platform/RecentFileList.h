#pragma once

#include <QStringList>

namespace qrl {

class Profile;

// The recent-file list: at most four paths, newest first, kept in the profile section
// "Recent File List" as "File1" to "File4".
class RecentFileList {
public:
    static constexpr int kMaxEntries = 4;

    void load(const Profile& profile);
    bool save(Profile& profile) const;

    // Puts the path first; an equal path (same text) already in the list moves up.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& entries() const { return m_entries; }

private:
    QStringList m_entries;
};

} // namespace qrl
