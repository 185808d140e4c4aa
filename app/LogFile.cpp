#include "LogFile.h"

#include "LogWindow.h"
#include "TextFormat.h"

#include <sys/file.h>

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

LogFile::LogFile()
    : m_clock([] { return QDateTime::currentDateTime(); })
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

int LogFile::open(const QString& fileName, QIODevice::OpenMode mode, int windowWanted)
{
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(fileName);
    // Open without truncating first: another writer holding the lock must find its file intact.
    if (!m_file.open((mode & ~QIODevice::Truncate) | QIODevice::Append))
        return m_file.error() == QFileDevice::NoError ? int(QFileDevice::OpenError) : int(m_file.error());
    // Other writers are shut out while the log is open.
    if (::flock(m_file.handle(), LOCK_EX | LOCK_NB) != 0) {
        m_file.close();
        return QFileDevice::OpenError;
    }
    if ((mode & QIODevice::Truncate) && !m_file.resize(0)) {
        m_file.close();
        return QFileDevice::ResizeError;
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
