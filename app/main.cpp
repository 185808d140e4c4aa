#include "CMacroSelectDlg.h"
#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "QtAppShell.h"
#include "QtDesktopLauncher.h"
#include "QtUserInterface.h"
#include "SessionEnd.h"
#include "SettingsProfile.h"
#include "TempDir.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlyn32"));

    qrl::SettingsProfile profile;
    qrl::setProfile(&profile);
    qrl::QtUserInterface ui;
    qrl::setUi(&ui);
    QtDesktopLauncher launcher;
    setDesktopLauncher(&launcher);

    CQuorlyn32App app;
    QtAppShell shell;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    int result = 1;
    if (app.InitInstance(shell, QCoreApplication::applicationFilePath(), arguments)) {
        ui.setMainWindow(shell.mainFrame());
        CMacroSelectDlg::Question macroQuestion(shell.mainFrame());
        setMacroTypeQuestion(&macroQuestion);
        installSessionEndHandler(shell.mainFrame());
        result = application.exec();
        setMacroTypeQuestion(nullptr);
    }
    app.ExitInstance();
    qrl::removeRunTempDir();
    setDesktopLauncher(nullptr);
    qrl::setUi(nullptr);
    qrl::setProfile(nullptr);
    return result;
}
