#pragma once

#include "DesktopLauncher.h"

// The desktop's side on Linux: the default application of a file's type as the freedesktop
// tools answer it, opening through QDesktopServices, programs started detached with QProcess.
class QtDesktopLauncher : public DesktopLauncher {
public:
    QString registeredViewer(const QString& path) override;
    bool openWithDesktop(const QString& path) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
