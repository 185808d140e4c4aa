#include "SettingsProfile.h"

namespace qrl {

namespace {
// '/' and '\' separate groups in QSettings keys; the profile's names never nest.
QString escapeName(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}
} // namespace

SettingsProfile::SettingsProfile()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Zentrix"), QStringLiteral("Quorlyn32")))
{
}

SettingsProfile::SettingsProfile(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

QString SettingsProfile::key(const QString& section, const QString& name)
{
    return escapeName(section) + QLatin1Char('/') + escapeName(name);
}

bool SettingsProfile::commit()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

int SettingsProfile::getInt(const QString& section, const QString& name, int defaultValue) const
{
    const QVariant v = m_settings->value(key(section, name));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QString SettingsProfile::getString(const QString& section, const QString& name,
                                   const QString& defaultValue) const
{
    const QVariant v = m_settings->value(key(section, name));
    return v.isValid() ? v.toString() : defaultValue;
}

bool SettingsProfile::setInt(const QString& section, const QString& name, int value)
{
    m_settings->setValue(key(section, name), QString::number(value));
    return commit();
}

bool SettingsProfile::setString(const QString& section, const QString& name, const QString& value)
{
    m_settings->setValue(key(section, name), value);
    return commit();
}

bool SettingsProfile::contains(const QString& section, const QString& name) const
{
    return m_settings->contains(key(section, name));
}

bool SettingsProfile::removeValue(const QString& section, const QString& name)
{
    m_settings->remove(key(section, name));
    return commit();
}

bool SettingsProfile::removeSection(const QString& section)
{
    m_settings->remove(escapeName(section));
    return commit();
}

QStringList SettingsProfile::valueNames(const QString& section) const
{
    m_settings->beginGroup(escapeName(section));
    const QStringList names = m_settings->childKeys();
    m_settings->endGroup();
    return names;
}

} // namespace qrl
