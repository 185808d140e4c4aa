#include "MemoryProfile.h"

namespace qrl {

int MemoryProfile::getInt(const QString& section, const QString& name, int defaultValue) const
{
    const auto s = m_sections.constFind(section);
    if (s == m_sections.cend() || !s->contains(name))
        return defaultValue;
    bool ok = false;
    const int value = s->value(name).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QString MemoryProfile::getString(const QString& section, const QString& name,
                                 const QString& defaultValue) const
{
    const auto s = m_sections.constFind(section);
    if (s == m_sections.cend() || !s->contains(name))
        return defaultValue;
    return s->value(name).toString();
}

bool MemoryProfile::setInt(const QString& section, const QString& name, int value)
{
    if (m_failWrites)
        return false;
    m_sections[section][name] = QString::number(value);
    return true;
}

bool MemoryProfile::setString(const QString& section, const QString& name, const QString& value)
{
    if (m_failWrites)
        return false;
    m_sections[section][name] = value;
    return true;
}

bool MemoryProfile::contains(const QString& section, const QString& name) const
{
    const auto s = m_sections.constFind(section);
    return s != m_sections.cend() && s->contains(name);
}

bool MemoryProfile::removeValue(const QString& section, const QString& name)
{
    if (m_failWrites)
        return false;
    auto s = m_sections.find(section);
    if (s != m_sections.end()) {
        s->remove(name);
        if (s->isEmpty())
            m_sections.erase(s);
    }
    return true;
}

bool MemoryProfile::removeSection(const QString& section)
{
    if (m_failWrites)
        return false;
    m_sections.remove(section);
    return true;
}

QStringList MemoryProfile::valueNames(const QString& section) const
{
    return m_sections.value(section).keys();
}

} // namespace qrl
