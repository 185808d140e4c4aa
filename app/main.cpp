#include "BitmaptoMacroDlg.h"
#include "CMacroSelectDlg.h"
#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "CUnknownExtDlg.h"
#include "CommandLine.h"
#include "QtAppShell.h"
#include "QtDesktopLauncher.h"
#include "QtUserInterface.h"
#include "Replaceable.h"
#include "SessionEnd.h"
#include "SettingsProfile.h"
#include "SingleInstance.h"
#include "TempDir.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// The program's own version, as --version prints it ("1.2.0.0").
QString ownVersion()
{
    qrl::VersionRecord record;
    if (!qrl::readVersionRecord(QStringLiteral("/proc/self/exe"), record))
        return {};
    return qrl::versionText(record.file).replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace

int main(int argc, char** argv)
{
    // Read before the toolkit starts, which needs a display: --help and --version work without one.
    QStringList commandLine;
    for (int i = 0; i < argc; ++i)
        commandLine.append(QString::fromLocal8Bit(argv[i]));
    const qrl::cmdline::CommandLine line = qrl::cmdline::parse(commandLine, ownVersion());
    if (line.action == qrl::cmdline::CommandLine::Action::Exit) {
        std::fputs(line.text.toLocal8Bit().constData(), line.status == 0 ? stdout : stderr);
        return line.status;
    }

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrix"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlyn32"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORLYN_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUORLYN_APP_ID)));

    // A program of this user runs already: it opens the files and comes forward, and this one ends.
    qrl::SingleInstance instance;
    if (instance.handOverOrListen(line.files))
        return 0;

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

        // The files as read before the toolkit took its own options out: it knows no "--", and
        // would take a file named like one of its options.
        const QStringList arguments = QStringList{QStringLiteral("--")} + line.files;
        if (app.InitInstance(shell, QCoreApplication::applicationFilePath(), arguments)) {
            QObject::connect(&instance, &qrl::SingleInstance::filesReceived, &application,
                             [&shell](const QStringList& files) { shell.openHandedFiles(files); });
            ui.setMainWindow(shell.mainFrame());
            installSessionEndHandler(shell.mainFrame());
            result = application.exec();
            instance.stopListening();
        }
        app.ExitInstance();
    }
    qrl::removeRunTempDir();
    return result;
}
