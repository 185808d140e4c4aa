#pragma once

#include <QString>
#include <QStringList>

// What the project window asks of the desktop: which program opens a file, opening a file with
// it, and starting a program with an argument list (never through a shell). The program installs
// the desktop's; tests install a recording one. Before one is installed nothing is started.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher() = default;

    // The program (or desktop entry) the desktop opens this file with; empty when it knows none.
    virtual QString registeredViewer(const QString& path) = 0;
    // Opens the file in the desktop's program for it; false when the desktop could not.
    virtual bool openWithDesktop(const QString& path) = 0;
    // Starts `program` detached, in the current directory, with these arguments; false when it
    // could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

DesktopLauncher& desktopLauncher();
// Installs `launcher` (not owned); nullptr goes back to the one that starts nothing. Returns the
// previous one.
DesktopLauncher* setDesktopLauncher(DesktopLauncher* launcher);
