#pragma once

#include "LogFile.h"

#include <QString>

#include <cstdint>

namespace qrl {

// The seven resource directories of "File Locations".
struct ResourceDirectories {
    QString fonts;
    QString macros;
    QString forms;
    QString programs;
    QString projects;
    QString resources;
    QString builds;

    // Fonts (subtypes 0-4), macros (5, 6), forms (7), program data (8); empty for anything else.
    QString forSubtype(int subtype) const;
};

// What the whole program shares during a run: the log and its level, the resource directories,
// the version-changed flag, the program's own files, the start-up values and the item serial
// counter. The application fills it at start-up; the project, the tools, the dialogs and the build
// read it here, so none of them reaches up to the application object.
class AppContext {
public:
    // A context installs itself as the one in use and puts the previous one back when it goes.
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The context in use: the last one made that still lives (a private empty one when none does).
    static AppContext& current();

    // The log, and whether a text of `level` is to be written (1 lines, 3 details, 9 traces).
    LogFile& log() { return m_log; }
    int logLevel() const { return m_logLevel; }
    void setLogLevel(int level) { m_logLevel = level; }
    bool logs(int level) const { return m_logLevel >= level && m_log.isOpen(); }
    // Writes the text when the log level allows it.
    void logText(int level, const QString& text);

    // Each new project item takes the next serial; it never goes back during a run.
    std::int32_t nextItemSerial() { return m_itemSerial++; }

    ResourceDirectories directories;
    // Set when the stored version differs from the running one: stored window placements and
    // option values of an older version are not used.
    bool versionChanged = false;
    QString programDirectory;
    QString fileVersionText;
    QString helpFileName;
    int startUpOptions = 2;
    int startUpSplash = 1;
    // Set by the old-format import command, read and cleared by the project file reader.
    int dosImport = 0;

private:
    std::int32_t m_itemSerial = 0;
    int m_logLevel = 0;
    LogFile m_log;
    AppContext* m_previous = nullptr;
};

// The context in use.
inline AppContext& context()
{
    return AppContext::current();
}

} // namespace qrl
