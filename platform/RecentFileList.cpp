#include "RecentFileList.h"

#include "SettingsKeys.h"

namespace qrl {

namespace {
const QString kSection = settings::keyText(settings::kRecentFileSection);
QString entryName(int i)
{
    return settings::recentFileEntry(i);
}
} // namespace

void RecentFileList::load(const Profile& profile)
{
    m_entries.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = profile.getString(kSection, entryName(i));
        if (!path.isEmpty() && !m_entries.contains(path))
            m_entries.append(path);
    }
}

bool RecentFileList::save(Profile& profile) const
{
    bool ok = true;
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < m_entries.size())
            ok = profile.setString(kSection, entryName(i), m_entries[i]) && ok;
        else if (profile.contains(kSection, entryName(i)))
            ok = profile.removeValue(kSection, entryName(i)) && ok;
    }
    return ok;
}

void RecentFileList::add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > kMaxEntries)
        m_entries.removeLast();
}

void RecentFileList::remove(const QString& path)
{
    m_entries.removeAll(path);
}

} // namespace qrl
