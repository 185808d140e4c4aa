#include "SettingsProfile.h"

#include "FileSave.h"
#include "PlatformTextIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStorageInfo>
#include <QThread>

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

// How long a store waits for another instance that holds the lock before it keeps its changes for
// the next write, and how long the last write of a run waits by default. A lock left by a process
// that is gone is taken over at once.
constexpr int kBriefLockWaitMs = 50;
constexpr int kExitLockWaitMs = 10000;
constexpr int kLockPollMs = 5;

// Polls rather than sleeping as QLockFile does between tries (a tenth of a second, doubling), so
// that a short wait is short and a long one does not sleep past the other's release.
bool takeLock(QLockFile& lock, int waitMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (lock.tryLock(0))
            return true;
        if (lock.error() != QLockFile::LockFailedError || timer.elapsed() >= waitMs)
            return false;
        QThread::msleep(kLockPollMs);
    }
}

// Why a lock file could not be made beside `path` (not because another instance holds it):
// QLockFile tells no more than that it failed, so the folder's disk is asked.
WriteError lockFileError(const QString& path)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isReadOnly())
        return WriteError::ReadOnly;
    // Not even a block for the lock file's few bytes.
    constexpr qint64 kBlock = 4096;
    return disk.bytesAvailable() < kBlock ? WriteError::DiskFull : WriteError::Permission;
}

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

SettingsProfile::SettingsProfile() : m_exitLockWaitMs(kExitLockWaitMs)
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

SettingsProfile::SettingsProfile(const QString& iniPath) : m_path(iniPath), m_exitLockWaitMs(kExitLockWaitMs)
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

bool SettingsProfile::commit(LockWait wait, QString* failureOut)
{
    if (m_changes.isEmpty())
        return true;
    QString failure;
    bool lockedOut = false;
    if (m_unreadable) {
        failure = writeFailureText(WriteError::Permission, m_path);
    } else {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        // Another instance may have stored values since this one read the file: this instance's
        // own changes go onto what is on disk now, under the lock QSettings takes for the same
        // file. A device or a pipe holds nothing to merge with, and gets no lock file beside it.
        const QFileInfo info(m_path);
        QLockFile lock(m_path + QStringLiteral(".lock"));
        const bool plainFile = !info.exists() || info.isFile();
        Values merged;
        if (plainFile && !takeLock(lock, wait == LockWait::AtExit ? m_exitLockWaitMs : kBriefLockWaitMs)) {
            if (lock.error() == QLockFile::LockFailedError) {
                if (wait == LockWait::Brief)
                    return true;
                lockedOut = true;
                failure = formatText(text(ids::kSettingsLocked), {m_path});
            } else {
                failure = writeFailureText(lockFileError(m_path), m_path);
            }
        } else if (!readValues(m_path, &merged)) {
            failure = writeFailureText(WriteError::Permission, m_path);
        } else {
            for (const Change& change : m_changes) {
                if (change.wholeSection)
                    merged.removeIf([&](const auto& it) { return inSection(it.key(), change.key); });
                else if (change.value.isValid())
                    merged.insert(change.key, change.value);
                else
                    merged.remove(change.key);
            }
            m_values = merged;
            QByteArray bytes;
            if (!serialise(merged, &bytes)) {
                failure = writeFailureText(WriteError::Other, m_path);
            } else if (saveWholeFile(m_path, bytes, &failure)) {
                m_changes.clear();
                return true;
            }
        }
    }
    if (failureOut)
        *failureOut = failure;
    else if (lockedOut)
        tell(m_lockNoticeShown, failure);
    else
        tell(m_noticeShown, formatText(text(ids::kSettingsNotSaved), {failure}));
    return false;
}

void SettingsProfile::tell(bool& shown, const QString& message)
{
    if (shown)
        return;
    shown = true;
    ui().message(message, Buttons::Ok, Icon::Warning);
}

bool SettingsProfile::record(Change change)
{
    // A change drops the earlier ones it covers, so that each is applied once and in its order.
    m_changes.removeIf([&](const Change& earlier) {
        return change.wholeSection ? inSection(earlier.key, change.key)
                                   : !earlier.wholeSection && earlier.key == change.key;
    });
    m_changes.append(std::move(change));
    return m_batchDepth > 0 || commit(LockWait::Brief, nullptr);
}

void SettingsProfile::beginBatch()
{
    ++m_batchDepth;
}

bool SettingsProfile::endBatch(LockWait wait, QString* failure)
{
    if (m_batchDepth > 0)
        --m_batchDepth;
    return m_batchDepth > 0 || commit(wait, failure);
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
    return record({k, value});
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
    return record({k, QVariant()});
}

bool SettingsProfile::removeSection(const QString& section)
{
    const QString group = escapeName(section);
    m_values.removeIf([&](const auto& it) { return inSection(it.key(), group); });
    return record({group, QVariant(), true});
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
