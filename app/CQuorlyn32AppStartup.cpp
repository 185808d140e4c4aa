// Start-up and shutdown of the application object.
#include "AppTextIds.h"
#include "CQuorlyn32App.h"
#include "PlatformTextIds.h"

#include "AppShell.h"
#include "CGlobalPrefs.h"
#include "CommandLine.h"
#include "Language.h"
#include "Profile.h"
#include "ProgramFiles.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString kSettings = qrl::settings::keyText(qrl::settings::kSettingsSection);

constexpr int kMaxLogNumber = 1024;

QString lineOf(const QString& text)
{
    return text + QStringLiteral("\r\n");
}

} // namespace

bool CQuorlyn32App::InitInstance(AppShell& shell, const QString& programPath, const QStringList& arguments)
{
    m_shell = &shell;
    qrl::Profile& profile = qrl::profile();
    // What the start-up stores (a first run's map, the reset placements) reaches the settings in
    // one write, once the map is loaded.
    qrl::ProfileBatch startUp(profile);
    m_recentFiles.load(profile);

    m_logTimeStamp = qrl::read(profile, qrl::settings::kLogTimeStamp);
    m_context.setLogLevel(qrl::read(profile, qrl::settings::kLogLevel));
    m_logAppend = qrl::read(profile, qrl::settings::kLogAppend);
    if (m_context.logLevel() > 0)
        openLog();

    readOwnVersion(programPath);
    m_programPath = programPath;
    const qsizetype slash = programPath.lastIndexOf(QLatin1Char('/'));
    m_context.programDirectory = slash >= 0 ? programPath.left(slash + 1) : QString();
    checkVersion();
    chooseLanguage();

    shell.createImageLists();
    if (!shell.createMainFrame())
        return false;

    QStringList commandFiles = qrl::cmdline::parse(QStringList{programPath} + arguments, {}).files;

    if (m_context.versionChanged)
        resetStoredPlacements();
    // On a first run the map is set up in the profile: when that cannot be stored, the start ends.
    const bool firstRun = !qrl::isStored(profile, qrl::settings::kVersion);
    if (!loadExtensionMap() || (!startUp.commit() && firstRun)) {
        qrl::ui().message(qrl::text(qrl::ids::kPreferencesFatal), qrl::Buttons::Ok, qrl::Icon::Error);
        return false;
    }

    m_lastProject = qrl::read(profile, qrl::settings::kLastProject);
    LoadFileLocations();
    ReadStartUpSettings();

    enum class Command { New, Open, Nothing } command = commandFiles.isEmpty() ? Command::New : Command::Open;
    if (commandFiles.isEmpty()) {
        switch (m_context.startUpOptions) {
        case 0:
            command = Command::Nothing;
            if (!m_lastProject.isEmpty() && CanOpenFile(m_lastProject)) {
                command = Command::Open;
                commandFiles = QStringList{m_lastProject};
            }
            break;
        case 1:
            command = Command::New;
            break;
        case 2:
            command = Command::Nothing;
            break;
        default:
            break;
        }
    }

    if (!m_context.versionChanged) {
        qrl::WindowPlacement placement;
        if (m_mainPlacement.LoadWindowPlacement(kSettings, placement))
            shell.applyMainPlacement(placement);
    }

    shell.showMainFrame(qrl::text(qrl::ids::kMainFrameTitle));
    if (command == Command::New)
        shell.newDocument();
    else if (command == Command::Open)
        for (const QString& file : commandFiles)
            shell.openDocument(file);

    if (m_context.startUpSplash != 0)
        shell.runAboutBox();
    return true;
}

void CQuorlyn32App::openLog()
{
    const QString base = qrl::text(qrl::ids::kAppName);
    const auto numbered = [&base](int n) {
        return n == 1 ? base + QStringLiteral(".log")
                      : qrl::formatText(QStringLiteral("%s_%d.log"), {base, n});
    };
    // A link, a folder, a device or a pipe at a name is passed over like a name in use: the log
    // is never written through a link or into anything but a plain file.
    const auto passedOver = [this](const QString& candidate) {
        return !LogFile::isPlainFileOrAbsent(candidate) || (m_logAppend == 0 && isFileAvailable(candidate));
    };
    int n = 1;
    while (n < kMaxLogNumber && passedOver(numbered(n)))
        ++n;
    const QString name = numbered(n);
    // When every numbered name is taken, the last one is appended to rather than wiped.
    const bool append = m_logAppend == 1 || (m_logAppend == 0 && isFileAvailable(name));
    const int windowWanted = m_context.logLevel() >= 2 ? 1 : 0;
    LogFile& log = m_context.log();
    const int result = append ? log.OpenAppend(name, windowWanted) : log.OpenNew(name, windowWanted);
    if (result != 0) {
        m_context.setLogLevel(0);
        return;
    }
    m_context.log().SetTimeStampMode(m_logTimeStamp);
}

void CQuorlyn32App::readOwnVersion(const QString& programPath)
{
    std::uint32_t high = 0;
    std::uint32_t low = 0;
    QString product;
    ReadVersionInfo(programPath, high, low, m_context.fileVersionText, product);
    logText(1, lineOf(qrl::formatText(QStringLiteral("Application's Modul   : %s"), {programPath})));
    logText(1, lineOf(qrl::formatText(QStringLiteral("Application's Version : %s"),
                                      {m_context.fileVersionText})));
    const QFileInfo info(programPath);
    if (info.exists()) {
        const QString when =
            QLocale::c().toString(info.lastModified(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss t"));
        logText(1, lineOf(qrl::formatText(QStringLiteral("Application's last-build : %s"), {when})));
    }
}

void CQuorlyn32App::checkVersion()
{
    const qrl::Profile& profile = qrl::profile();
    // No stored version (a first run) is a change, also when this program's version text is empty.
    const bool stored = qrl::isStored(profile, qrl::settings::kVersion);
    const QString previous = qrl::read(profile, qrl::settings::kVersion);
    m_context.versionChanged = !stored || previous != m_context.fileVersionText;
    if (m_context.versionChanged)
        logText(1, lineOf(qrl::formatText(QStringLiteral("Application has changed version : %s"),
                                          {m_context.fileVersionText})));
}

int CQuorlyn32App::GetIniDefaultLanguage() const
{
    // A plain read of the one value: the ini file is small and read once.
    QFile ini(qrl::findProgramFile(m_context.programDirectory, qrl::ProgramFileKind::Settings,
                                   QStringLiteral("Quorlyn32.ini")));
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    bool inSettings = false;
    while (!ini.atEnd()) {
        const QByteArray line = ini.readLine(4096).trimmed();
        if (line.startsWith('[')) {
            inSettings = line.compare("[Settings]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inSettings || eq < 0 ||
            line.left(eq).trimmed().compare("defaultLanguage", Qt::CaseInsensitive) != 0)
            continue;
        bool ok = false;
        const int id = line.mid(eq + 1).trimmed().toInt(&ok);
        return ok ? id : 0;
    }
    return 0;
}

void CQuorlyn32App::chooseLanguage()
{
    m_languageId = GetIniDefaultLanguage();
    if (m_languageId == 0)
        m_languageId = qrl::read(qrl::settings::kDefaultLanguage);
    m_context.helpFileName = qrl::defaultHelpFilePath(m_programPath);
    if (m_languageId != 0 && m_languageId != 9)
        LoadLanguageLibrary();
}

void CQuorlyn32App::LoadLanguageLibrary()
{
    // Only the program's own catalogue, by its full path: no search path can plant another.
    const QString path = qrl::languageCataloguePath(m_context.programDirectory, m_languageId);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(path))
        return;
    m_languageLibrary = std::move(catalogue);
    m_languageLibraryName = path;
    qrl::setStringCatalogue(m_languageLibrary.get());
    if (QCoreApplication::instance())
        QCoreApplication::installTranslator(m_languageLibrary.get());
    SelectHelpFile();
}

void CQuorlyn32App::SelectHelpFile()
{
    m_context.helpFileName = qrl::languageHelpFilePath(m_context.programDirectory, m_languageId);
}

void CQuorlyn32App::LoadFileLocations()
{
    const qrl::Profile& p = qrl::profile();
    m_context.directories.fonts = qrl::read(p, qrl::settings::kFontsDirectory);
    m_context.directories.macros = qrl::read(p, qrl::settings::kMacrosDirectory);
    m_context.directories.forms = qrl::read(p, qrl::settings::kFormsDirectory);
    m_context.directories.programs = qrl::read(p, qrl::settings::kProgramsDirectory);
    m_context.directories.projects = qrl::read(p, qrl::settings::kProjectsDirectory);
    m_context.directories.resources = qrl::read(p, qrl::settings::kResourcesDirectory);
    m_context.directories.builds = qrl::read(p, qrl::settings::kBuildsDirectory);
}

void CQuorlyn32App::ReadStartUpSettings()
{
    m_context.startUpSplash = qrl::read(qrl::settings::kStartUpSplash);
    m_context.startUpOptions = qrl::read(qrl::settings::kStartUpOptions);
}

void CQuorlyn32App::resetStoredPlacements()
{
    qrl::Profile& p = qrl::profile();
    qrl::write(p, qrl::settings::kVorlDownloaderOptions, qrl::settings::kVorlDownloaderOptions.defaultValue);
    for (const char* section : qrl::settings::kPlacementSections)
        p.setString(QString::fromLatin1(section), QString::fromLatin1(CWinPlacement::kValueName),
                    QString::fromLatin1(CWinPlacement::kResetText));
    // The About box opens folded at its default place and widths after a version change.
    qrl::write(p, qrl::settings::kAboutVersionNew, 1);
    qrl::write(p, qrl::settings::kAboutDetailsView, qrl::settings::kAboutDetailsView.defaultValue);
}

bool CQuorlyn32App::loadExtensionMap()
{
    m_prefs = std::make_unique<CGlobalPrefs>(m_context.fileVersionText);
    m_prefsLoaded = m_prefs->Load();
    setActivePrefs(m_prefs.get());
    return m_prefsLoaded;
}

void CQuorlyn32App::saveExtensionMap()
{
    // A map that never loaded holds nothing of the user's: saving it would wipe the stored one.
    if (m_prefs && m_prefsLoaded)
        m_prefs->Save();
    if (activePrefs() == m_prefs.get())
        setActivePrefs(nullptr);
    m_prefs.reset();
    m_prefsLoaded = false;
}

void CQuorlyn32App::beginShutdown()
{
    // A plain begin and end rather than a ProfileBatch member: the application object may outlive
    // the profile (the default one of the tests does), and must not end a batch on it then.
    if (m_shutdownBatch)
        return;
    m_shutdownBatch = true;
    qrl::profile().beginBatch();
}

int CQuorlyn32App::ExitInstance()
{
    beginShutdown();
    saveExtensionMap();
    if (m_languageLibrary) {
        qrl::setStringCatalogue(nullptr);
        if (QCoreApplication::instance())
            QCoreApplication::removeTranslator(m_languageLibrary.get());
        m_languageLibrary.reset();
        m_languageLibraryName.clear();
    }
    qrl::write(qrl::settings::kVersion, m_context.fileVersionText);
    m_recentFiles.save(qrl::profile());
    // The last write of the run: it waits for another running program's lock, and tells the user
    // when even that is not enough.
    m_shutdownBatch = false;
    qrl::profile().endBatch(qrl::LockWait::AtExit);
    if (m_context.logLevel() >= 1) {
        m_context.log().CloseWindow();
        m_context.log().CloseLog();
    }
    m_shell = nullptr;
    return 0;
}
