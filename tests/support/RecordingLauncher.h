#pragma once

#include "DesktopLauncher.h"
#include "Replaceable.h"

#include <QStringList>

namespace qrl::test {

// The desktop as a test double: `viewer` is the program it names for every file (empty: none),
// opens answer `opens`, and opens and starts are recorded. Installs itself while it lives.
class RecordingLauncher : public DesktopLauncher {
public:
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
    ScopedReplacement<DesktopLauncher> m_installed{setDesktopLauncher, this};
};

} // namespace qrl::test
