#include "DesktopLauncher.h"

namespace {

class InertLauncher : public DesktopLauncher {
public:
    QString registeredViewer(const QString&) override { return {}; }
    bool openWithDesktop(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

DesktopLauncher* current = nullptr;

} // namespace

DesktopLauncher& desktopLauncher()
{
    static InertLauncher inert;
    return current ? *current : inert;
}

DesktopLauncher* setDesktopLauncher(DesktopLauncher* launcher)
{
    DesktopLauncher* previous = current;
    current = launcher;
    return previous;
}
