#include "DesktopLauncher.h"

#include "Replaceable.h"

namespace {

class InertLauncher : public DesktopLauncher {
public:
    QString registeredViewer(const QString&) override { return {}; }
    bool openWithDesktop(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

qrl::Replaceable<DesktopLauncher> current;

} // namespace

DesktopLauncher& desktopLauncher()
{
    static InertLauncher inert;
    return current.getOr(inert);
}

DesktopLauncher* setDesktopLauncher(DesktopLauncher* launcher)
{
    return current.replace(launcher);
}
