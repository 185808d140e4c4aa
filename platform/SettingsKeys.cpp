#include "SettingsKeys.h"

#include "TextFormat.h"

namespace qrl {

using settings::IntSetting;
using settings::keyText;
using settings::StringSetting;

int read(const Profile& store, const IntSetting& key)
{
    return store.getInt(keyText(key.section), keyText(key.name), key.defaultValue);
}

QString read(const Profile& store, const StringSetting& key)
{
    return store.getString(keyText(key.section), keyText(key.name));
}

int read(const IntSetting& key)
{
    return read(profile(), key);
}

QString read(const StringSetting& key)
{
    return read(profile(), key);
}

bool write(Profile& store, const IntSetting& key, int value)
{
    return store.setInt(keyText(key.section), keyText(key.name), value);
}

bool write(Profile& store, const StringSetting& key, const QString& value)
{
    return store.setString(keyText(key.section), keyText(key.name), value);
}

bool write(const IntSetting& key, int value)
{
    return write(profile(), key, value);
}

bool write(const StringSetting& key, const QString& value)
{
    return write(profile(), key, value);
}

bool isStored(const Profile& store, const IntSetting& key)
{
    return store.contains(keyText(key.section), keyText(key.name));
}

bool isStored(const Profile& store, const StringSetting& key)
{
    return store.contains(keyText(key.section), keyText(key.name));
}

} // namespace qrl

namespace qrl::settings {

QString recentFileEntry(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QString fileMapEntry(int position)
{
    return formatText(QStringLiteral("Map #%i"), {position});
}

} // namespace qrl::settings
