#include "SettingsProfile.h"

#include "FileSave.h"
#include "PlatformTextIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace qrl {

namespace {

// '/' and '\' separate groups in QSettings keys; the profile's names never nest.
QString escapeName(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}

QMap<QString, QVariant> valuesOf(const QSettings& settings)
{
    QMap<QString, QVariant> values;
    for (const QString& k : settings.allKeys())
        values.insert(k, settings.value(k));
    return values;
}

// The file QSettings writes for `values`, read back from the disk and checked value by value.
// QSettings keeps every file it has seen in a cache by name and may answer from there, so each
// file is written and read back under a name no QSettings of this process has seen yet; and it is
// checked because QSettings can report a write as done that a full disk has cut short.
bool serialise(const QMap<QString, QVariant>& values, QByteArray* bytes)
{
    static unsigned serial = 0;
    const QString dir = makeJobDir(QStringLiteral("settings"));
    if (dir.isEmpty())
        return false;
    ++serial;
    const QString written = dir + QStringLiteral("/written-%1.conf").arg(serial);
    const QString check = dir + QStringLiteral("/check-%1.conf").arg(serial);
    bool ok = false;
    {
        // Without any value QSettings writes no file at all; an empty one stands for that.
        QFile empty(written);
        ok = empty.open(QIODevice::WriteOnly);
    }
    if (ok) {
        QSettings out(written, QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        ok = out.status() == QSettings::NoError;
    }
    ok = ok && QFile::rename(written, check);
    if (ok) {
        QFile in(check);
        ok = in.open(QIODevice::ReadOnly);
        const qint64 size = in.size();
        *bytes = in.readAll();
        ok = ok && bytes->size() == size;
    }
    if (ok) {
        const QSettings back(check, QSettings::IniFormat);
        ok = back.status() == QSettings::NoError && valuesOf(back) == values;
    }
    QDir(dir).removeRecursively();
    return ok;
}

// How long a store waits for another instance that holds the lock; a lock left by a process that
// is gone is taken over at once.
constexpr int kLockWaitMs = 5000;

// The values of the ini file at `path` as they are on disk now. QSettings keeps every file it has
// seen in a cache by name, so the bytes are read here and parsed under a name of their own. A
// device or a pipe at the path is never read (a pipe would hold the read until someone writes into
// it); a file that is not there holds no values. False when the file is there and cannot be read.
bool readValues(const QString& path, QMap<QString, QVariant>* values)
{
    static unsigned serial = 0;
    values->clear();
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const QString dir = makeJobDir(QStringLiteral("settings"));
    if (dir.isEmpty())
        return false;
    const QString copy = dir + QStringLiteral("/read-%1.conf").arg(++serial);
    QFile out(copy);
    bool ok = out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    out.close();
    if (ok) {
        const QSettings parsed(copy, QSettings::IniFormat);
        ok = parsed.status() != QSettings::AccessError;
        *values = valuesOf(parsed);
    }
    QDir(dir).removeRecursively();
    return ok;
}

} // namespace

SettingsProfile::SettingsProfile()
{
    // The organisation's and the system's files stand behind the user's own, as QSettings reads them.
    const QSettings all(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentrix"),
                        QStringLiteral("Quorlyn32"));
    m_path = all.fileName();
    load();
    const Values every = valuesOf(all);
    for (auto it = every.begin(); it != every.end(); ++it)
        if (!m_values.contains(it.key()))
            m_fallbacks.insert(it.key(), it.value());
}

SettingsProfile::SettingsProfile(const QString& iniPath) : m_path(iniPath)
{
    load();
}

void SettingsProfile::load()
{
    m_unreadable = !readValues(m_path, &m_values);
}

QString SettingsProfile::key(const QString& section, const QString& name)
{
    return escapeName(section) + QLatin1Char('/') + escapeName(name);
}

QVariant SettingsProfile::value(const QString& k) const
{
    const auto own = m_values.constFind(k);
    return own != m_values.cend() ? *own : m_fallbacks.value(k);
}

bool SettingsProfile::commit()
{
    QString failure;
    QByteArray bytes;
    if (m_unreadable) {
        failure = writeFailureText(WriteError::Permission, m_path);
    } else {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        // Another instance may have stored values since this one read the file: this instance's
        // own changes go into what is on disk now, under the lock QSettings takes for the same
        // file. A lock that cannot be had in a few seconds, or at all (a folder without room or
        // rights), leaves the store to the writer, which replaces the file whole either way.
        // A device or a pipe holds nothing to merge with, and gets no lock file beside it.
        const QFileInfo info(m_path);
        QLockFile lock(m_path + QStringLiteral(".lock"));
        if (!info.exists() || info.isFile())
            lock.tryLock(kLockWaitMs);
        Values merged;
        if (!readValues(m_path, &merged)) {
            failure = writeFailureText(WriteError::Permission, m_path);
        } else {
            for (const QString& section : m_removedSections)
                merged.removeIf([&](const auto& it) { return inSection(it.key(), section); });
            for (auto it = m_changes.cbegin(); it != m_changes.cend(); ++it) {
                if (it.value().isValid())
                    merged.insert(it.key(), it.value());
                else
                    merged.remove(it.key());
            }
            m_values = merged;
            if (!serialise(merged, &bytes)) {
                failure = writeFailureText(WriteError::Other, m_path);
            } else if (saveWholeFile(m_path, bytes, &failure)) {
                m_changes.clear();
                m_removedSections.clear();
                return true;
            }
        }
    }
    if (!m_noticeShown) {
        m_noticeShown = true;
        ui().message(formatText(text(ids::kSettingsNotSaved), {failure}), Buttons::Ok, Icon::Warning);
    }
    return false;
}

bool SettingsProfile::inSection(const QString& key, const QString& group)
{
    // As QSettings removes a group: the key of the group's own name and every key below it.
    return key == group || key.startsWith(group + QLatin1Char('/'));
}

int SettingsProfile::getInt(const QString& section, const QString& name, int defaultValue) const
{
    const QVariant v = value(key(section, name));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int result = v.toString().trimmed().toInt(&ok);
    return ok ? result : defaultValue;
}

QString SettingsProfile::getString(const QString& section, const QString& name,
                                   const QString& defaultValue) const
{
    const QVariant v = value(key(section, name));
    return v.isValid() ? v.toString() : defaultValue;
}

bool SettingsProfile::setInt(const QString& section, const QString& name, int value)
{
    return setString(section, name, QString::number(value));
}

bool SettingsProfile::setString(const QString& section, const QString& name, const QString& value)
{
    const QString k = key(section, name);
    m_values.insert(k, value);
    m_changes.insert(k, value);
    return commit();
}

bool SettingsProfile::contains(const QString& section, const QString& name) const
{
    const QString k = key(section, name);
    return m_values.contains(k) || m_fallbacks.contains(k);
}

bool SettingsProfile::removeValue(const QString& section, const QString& name)
{
    const QString k = key(section, name);
    m_values.remove(k);
    m_changes.insert(k, QVariant());
    return commit();
}

bool SettingsProfile::removeSection(const QString& section)
{
    const QString group = escapeName(section);
    m_values.removeIf([&](const auto& it) { return inSection(it.key(), group); });
    m_changes.removeIf([&](const auto& it) { return inSection(it.key(), group); });
    m_removedSections.append(group);
    return commit();
}

QStringList SettingsProfile::valueNames(const QString& section) const
{
    const QString prefix = escapeName(section) + QLatin1Char('/');
    QStringList names;
    for (const Values* values : {&m_values, &m_fallbacks}) {
        for (auto it = values->lowerBound(prefix); it != values->end() && it.key().startsWith(prefix); ++it) {
            const QString name = it.key().mid(prefix.size());
            if (!name.contains(QLatin1Char('/')) && !names.contains(name))
                names.append(name);
        }
    }
    names.sort();
    return names;
}

} // namespace qrl
