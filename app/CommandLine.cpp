#include "CommandLine.h"

#include "AppTextIds.h"
#include "PlatformTextIds.h"
#include "StringTable.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace qrl::cmdline {

namespace {

// The toolkit's own options, which it takes out of the command line itself once it starts: those
// with a value, then those without.
constexpr const char* kToolkitValueOptions[] = {
    "platform",      "platformpluginpath",
    "platformtheme", "plugin",
    "qmljsdebugger", "qwindowgeometry",
    "qwindowicon",   "qwindowtitle",
    "session",       "style",
    "stylesheet",    "display",
    "geometry",      "title",
    "name",
};
constexpr const char* kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString programName()
{
    return qrl::text(qrl::ids::kAppName);
}

} // namespace

CommandLine parse(const QStringList& arguments, const QString& version)
{
    QCommandLineParser parser;
    // The toolkit's options are words after a single dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(qrl::text(qrl::ids::kCommandLineDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  qrl::text(qrl::ids::kCommandLineHelp));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         qrl::text(qrl::ids::kCommandLineVersion));
    parser.addOption(help);
    parser.addOption(showVersion);
    for (const char* name : kToolkitValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("projects"), qrl::text(qrl::ids::kCommandLineProjects),
                                 QStringLiteral("[projects...]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = CommandLine::Action::Exit;
        line.status = kUsageStatus;
        line.text = programName() + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n');
        return line;
    }
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Exit;
        // The usage line names the program, not the path it was started by.
        QString text = parser.helpText();
        const QString usage = QStringLiteral("Usage: ");
        const qsizetype end = text.indexOf(QLatin1Char(' '), usage.size());
        if (text.startsWith(usage) && end > 0)
            text.replace(usage.size(), end - usage.size(), programName());
        line.text = text;
        return line;
    }
    if (parser.isSet(showVersion)) {
        line.action = CommandLine::Action::Exit;
        line.text = programName() + QLatin1Char(' ') + version + QLatin1Char('\n');
        return line;
    }
    for (const QString& file : parser.positionalArguments())
        line.files.append(QFileInfo(file).absoluteFilePath());
    return line;
}

} // namespace qrl::cmdline
