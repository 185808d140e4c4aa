#include "BitmaptoMacroDlg.h"
#include "CMacroSelectDlg.h"
#include "CMainFrame.h"
#include "CUnknownExtDlg.h"
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

    // The questions a project file or an added image may ask, ready before a project opens at start-up.
    CMacroSelectDlg::Question macroQuestion(nullptr);
    setMacroTypeQuestion(&macroQuestion);
    BitmaptoMacroDlg::Runner bitmapRunner(nullptr);
    setBitmapToMacroRunner(&bitmapRunner);
    CUnknownExtDlg::Question unknownExtensionQuestion(nullptr);
    setUnknownExtensionQuestion(&unknownExtensionQuestion);

    CQuorlyn32App app;
    QtAppShell shell;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    int result = 1;
    if (app.InitInstance(shell, QCoreApplication::applicationFilePath(), arguments)) {
        ui.setMainWindow(shell.mainFrame());
        installSessionEndHandler(shell.mainFrame());
        result = application.exec();
    }
    app.ExitInstance();
    setUnknownExtensionQuestion(nullptr);
    setBitmapToMacroRunner(nullptr);
    setMacroTypeQuestion(nullptr);
    qrl::removeRunTempDir();
    setDesktopLauncher(nullptr);
    qrl::setUi(nullptr);
    qrl::setProfile(nullptr);
    return result;
}
