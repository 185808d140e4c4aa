#include "BitmaptoMacroDlg.h"
#include "CMacroSelectDlg.h"
#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "CUnknownExtDlg.h"
#include "QtAppShell.h"
#include "QtDesktopLauncher.h"
#include "QtUserInterface.h"
#include "Replaceable.h"
#include "SessionEnd.h"
#include "SettingsProfile.h"
#include "TempDir.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlyn32"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORLYN_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUORLYN_APP_ID)));

    qrl::SettingsProfile profile;
    qrl::QtUserInterface ui;
    QtDesktopLauncher launcher;
    // The questions a project file or an added image may ask, ready before a project opens at start-up.
    CMacroSelectDlg::Question macroQuestion(nullptr);
    BitmaptoMacroDlg::Runner bitmapRunner(nullptr);
    CUnknownExtDlg::Question unknownExtensionQuestion(nullptr);

    // The application and its windows outlive the services: the main frame goes after them.
    CQuorlyn32App app;
    QtAppShell shell;
    int result = 1;
    {
        const qrl::ScopedReplacement<qrl::Profile> installedProfile(qrl::setProfile, &profile);
        const qrl::ScopedReplacement<qrl::UserInterface> installedUi(qrl::setUi, &ui);
        const qrl::ScopedReplacement<DesktopLauncher> installedLauncher(setDesktopLauncher, &launcher);
        const qrl::ScopedReplacement<ProjectFileMacroQuestion> installedMacroQuestion(setMacroTypeQuestion,
                                                                                      &macroQuestion);
        const qrl::ScopedReplacement<BitmapToMacroRunner> installedBitmapRunner(setBitmapToMacroRunner,
                                                                                &bitmapRunner);
        const qrl::ScopedReplacement<UnknownExtensionQuestion> installedUnknownExtension(
            setUnknownExtensionQuestion, &unknownExtensionQuestion);

        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        if (app.InitInstance(shell, QCoreApplication::applicationFilePath(), arguments)) {
            ui.setMainWindow(shell.mainFrame());
            installSessionEndHandler(shell.mainFrame());
            result = application.exec();
        }
        app.ExitInstance();
    }
    qrl::removeRunTempDir();
    return result;
}
