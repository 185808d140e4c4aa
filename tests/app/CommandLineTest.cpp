// The command line as the program reads it before the toolkit starts, and the program itself
// started with it: no display is needed for --help, --version and a wrong option.
#include "CommandLine.h"
#include "TempCwd.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using qrl::cmdline::CommandLine;

QString program()
{
    return QStringLiteral(QUORLYN_BIN_DIR "/Quorlyn32");
}

} // namespace

TEST(CommandLine, FilesOptionsAndErrors)
{
    const qrl::test::TempCwd cwd;
    const QString here = QDir::currentPath() + QLatin1Char('/');
    struct Case {
        QStringList arguments;
        CommandLine::Action action;
        int status;
        QStringList files;
        QString textStart;
    };
    const Case cases[] = {
        {{}, CommandLine::Action::Run, 0, {}, {}},
        {{QStringLiteral("a.prj"), QStringLiteral("/x/b.prj")},
         CommandLine::Action::Run,
         0,
         {here + QStringLiteral("a.prj"), QStringLiteral("/x/b.prj")},
         {}},
        {{QStringLiteral("a.prj"), QStringLiteral("--"), QStringLiteral("-b.prj"), QStringLiteral("--help")},
         CommandLine::Action::Run,
         0,
         {here + QStringLiteral("a.prj"), here + QStringLiteral("-b.prj"), here + QStringLiteral("--help")},
         {}},
        // The toolkit's own options pass with their values.
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--style=fusion"),
          QStringLiteral("-reverse"), QStringLiteral("p.prj")},
         CommandLine::Action::Run,
         0,
         {here + QStringLiteral("p.prj")},
         {}},
        {{QStringLiteral("--help"), QStringLiteral("a.prj")},
         CommandLine::Action::Exit,
         0,
         {},
         QStringLiteral("Usage: Quorlyn32 [options] [projects...]\n")},
        {{QStringLiteral("-h")}, CommandLine::Action::Exit, 0, {}, QStringLiteral("Usage: Quorlyn32 ")},
        {{QStringLiteral("--version")},
         CommandLine::Action::Exit,
         0,
         {},
         QStringLiteral("Quorlyn32 9.8.7.6\n")},
        {{QStringLiteral("-v")}, CommandLine::Action::Exit, 0, {}, QStringLiteral("Quorlyn32 9.8.7.6\n")},
        {{QStringLiteral("a.prj"), QStringLiteral("-x.prj")},
         CommandLine::Action::Exit,
         qrl::cmdline::kUsageStatus,
         {},
         QStringLiteral("Quorlyn32: Unknown option 'x.prj'.\n")},
        {{QStringLiteral("-platform")},
         CommandLine::Action::Exit,
         qrl::cmdline::kUsageStatus,
         {},
         QStringLiteral("Quorlyn32: Missing value after '-platform'.\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CommandLine line = qrl::cmdline::parse(
            QStringList{QStringLiteral("/opt/q/Quorlyn32")} + c.arguments, QStringLiteral("9.8.7.6"));
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.status, c.status);
        EXPECT_EQ(line.files, c.files);
        EXPECT_TRUE(line.text.startsWith(c.textStart)) << line.text.toStdString();
    }
}

// The program itself, without any display: what it prints where, and its status.
TEST(CommandLine, TheProgramAnswersWithoutADisplay)
{
    struct Case {
        QStringList arguments;
        int status;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, "Usage: Quorlyn32 [options] [projects...]\n", ""},
        {{QStringLiteral("--version")}, 0, "Quorlyn32 " QUORLYN_VERSION_TEXT "\n", ""},
        {{QStringLiteral("--frobnicate")}, 2, "", "Quorlyn32: Unknown option 'frobnicate'.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        process.start(program(), c.arguments);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.status);
        std::string expectedOut = c.out;
        // The version record's numbers are separated by commas; the printed version by dots.
        std::replace(expectedOut.begin(), expectedOut.end(), ',', '.');
        EXPECT_TRUE(process.readAllStandardOutput().toStdString().starts_with(expectedOut));
        EXPECT_EQ(process.readAllStandardError().toStdString(), c.err);
    }
}
