#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>

class LogWindow;

// The program's diagnostic log: bytes exactly as written, no line end added. Writes nothing while
// closed. A write that fails (full disk, removed medium) closes the log quietly, so the work that
// was logging goes on.
class LogFile {
public:
    // Creates the log window for a log; the GUI installs it. Without one no window is shown.
    using WindowFactory = std::function<LogWindow*(LogFile*)>;
    using Clock = std::function<QDateTime()>;

    LogFile();
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    static void setWindowFactory(WindowFactory factory);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Create or truncate / create or append; then the window when asked, the stamp and the starting
    // line. 0 on success, otherwise the file error (never 0). A link, a folder, a device or a pipe
    // at the name is refused, never written through or into, and so is another user's file.
    int OpenNew(const QString& fileName, int windowWanted);
    int OpenAppend(const QString& fileName, int windowWanted);
    void SetTimeStampMode(int mode) { m_timeStampMode = mode; }
    // Returns the number of bytes of the text written (0 for an empty text or a closed log).
    int WriteText(const QString& text);
    void WriteTimeStamp();
    int CloseLog();
    void OpenWindow();
    void CloseWindow();

    bool isOpen() const { return m_file.isOpen(); }
    bool windowShown() const { return m_windowShown != 0; }
    LogWindow* window() const { return m_window; }
    // Called by the window when it goes away.
    void windowDestroyed() { m_window = nullptr; }

    static QString stampText(const QDateTime& when);
    // True when nothing stands at `fileName` or a plain file does (not a link to one): a name the
    // log may be opened at.
    static bool isPlainFileOrAbsent(const QString& fileName);

private:
    int open(const QString& fileName, QIODevice::OpenMode mode, int windowWanted);
    bool writeBytes(const QByteArray& bytes);

    LogWindow* m_window = nullptr;
    int m_windowShown = 0;
    int m_timeStampMode = 0;
    QFile m_file;
    Clock m_clock;
};
