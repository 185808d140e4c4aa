#include "LogFile.h"

#include "LogWindow.h"
#include "TextFormat.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

LogFile::WindowFactory windowFactory;

const char kStartingLine[] = "***** Starting ***** Log file successfully opened: %s\r\n";
const char kEndingLine[] = "***** Ending ***** Log file is about closing.\r\n";

// The text without one final CR LF, as the window rows show it.
QString withoutFinalLineEnd(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text;
}

} // namespace

LogFile::LogFile() : m_clock([] { return QDateTime::currentDateTime(); })
{
}

LogFile::~LogFile()
{
    CloseWindow();
}

void LogFile::setWindowFactory(WindowFactory factory)
{
    windowFactory = std::move(factory);
}

QString LogFile::stampText(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return qrl::formatText(QStringLiteral("[%.4d/%.2d/%.2d - %.2d:%.2d:%.2d] "),
                           {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

int LogFile::OpenNew(const QString& fileName, int windowWanted)
{
    return open(fileName, QIODevice::WriteOnly | QIODevice::Truncate, windowWanted);
}

int LogFile::OpenAppend(const QString& fileName, int windowWanted)
{
    return open(fileName, QIODevice::WriteOnly | QIODevice::Append, windowWanted);
}

bool LogFile::isPlainFileOrAbsent(const QString& fileName)
{
    struct stat st;
    if (::lstat(QFile::encodeName(fileName).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

int LogFile::open(const QString& fileName, QIODevice::OpenMode mode, int windowWanted)
{
    if (m_file.isOpen())
        m_file.close();
    // Never through a link, never into a device or a pipe (O_NONBLOCK keeps a pipe without a
    // reader from holding the start-up): the log is a plain file of its own name or nothing.
    // It is opened without truncating first: another writer holding the lock must find its file
    // intact.
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? int(QFileDevice::PermissionsError)
                                                 : int(QFileDevice::OpenError);
    // Only a file of this user's own: in a folder others may write (a sticky /tmp, a shared work
    // folder) another user's file at the name would receive this user's log.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return QFileDevice::OpenError;
    }
    if (st.st_uid != ::geteuid()) {
        ::close(fd);
        return QFileDevice::PermissionsError;
    }
    // Other writers are shut out while the log is open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fcntl(fd, F_SETFL, O_APPEND) != 0) {
        ::close(fd);
        return QFileDevice::OpenError;
    }
    if ((mode & QIODevice::Truncate) && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return QFileDevice::ResizeError;
    }
    if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QFileDevice::OpenError;
    }
    if (windowWanted == 1)
        OpenWindow();
    const QString stamp = stampText(m_clock());
    const QString starting = qrl::formatText(QString::fromLatin1(kStartingLine), {fileName});
    if (!writeBytes((stamp + starting).toUtf8()))
        return QFileDevice::WriteError;
    if (m_window)
        m_window->AddText(stamp + withoutFinalLineEnd(starting));
    return 0;
}

bool LogFile::writeBytes(const QByteArray& bytes)
{
    if (!m_file.isOpen())
        return false;
    if (m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        // A log that cannot be written is switched off; the caller's work goes on.
        m_file.close();
        return false;
    }
    return true;
}

int LogFile::WriteText(const QString& text)
{
    if (!m_file.isOpen())
        return 0;
    if (m_timeStampMode == 1)
        WriteTimeStamp();
    if (text.isEmpty())
        return 0;
    const QByteArray bytes = text.toUtf8();
    if (!writeBytes(bytes))
        return 0;
    if (m_window)
        m_window->AddText(text);
    return static_cast<int>(bytes.size());
}

void LogFile::WriteTimeStamp()
{
    if (!m_file.isOpen())
        return;
    const QString stamp = stampText(m_clock());
    if (writeBytes(stamp.toUtf8()) && m_window)
        m_window->AddLine(stamp);
}

int LogFile::CloseLog()
{
    if (!m_file.isOpen())
        return 0;
    const QString stamp = stampText(m_clock());
    const QString ending = QString::fromLatin1(kEndingLine);
    writeBytes((stamp + ending).toUtf8());
    if (m_window) {
        m_window->AddLine(stamp);
        m_window->AddLine(withoutFinalLineEnd(ending));
    }
    if (m_file.isOpen())
        m_file.close();
    return 0;
}

void LogFile::OpenWindow()
{
    if (m_window || !windowFactory)
        return;
    m_window = windowFactory(this);
    if (m_window)
        m_windowShown = 1;
}

void LogFile::CloseWindow()
{
    if (LogWindow* w = m_window) {
        m_window = nullptr;
        w->destroyWindow();
    }
}
