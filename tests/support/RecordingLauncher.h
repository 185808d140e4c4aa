#pragma once

#include "DesktopLauncher.h"

#include <QStringList>

namespace qrl::test {

// The desktop as a test double: `viewer` is the program it names for every file (empty: none),
// opens answer `opens`, and opens and starts are recorded. Installs itself while it lives.
class RecordingLauncher : public DesktopLauncher {
public:
    RecordingLauncher() : m_previous(setDesktopLauncher(this)) {}
    ~RecordingLauncher() override { setDesktopLauncher(m_previous); }
    RecordingLauncher(const RecordingLauncher&) = delete;
    RecordingLauncher& operator=(const RecordingLauncher&) = delete;

    QString registeredViewer(const QString&) override { return viewer; }
    bool openWithDesktop(const QString& path) override
    {
        opened.append(path);
        return opens;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.append(program + QLatin1Char('|') + arguments.join(QLatin1Char('|')));
        return true;
    }

    QString viewer;
    bool opens = true;
    QStringList opened;
    QStringList started;

private:
    DesktopLauncher* m_previous;
};

} // namespace qrl::test
