#pragma once

#include "AppContext.h"
#include "CWinPlacement.h"
#include "RecentFileList.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class AppShell;
class CGlobalPrefs;
class QTranslator;

// The one application object: it fills the context of the run that the lower layers read (log,
// resource directories, version-changed flag, start-up options, item serial counter), owns the
// language and the extension map, and does the start-up, the shutdown and five commands. The
// windows it needs come through an AppShell.
class CQuorlyn32App {
public:
    CQuorlyn32App();
    ~CQuorlyn32App();
    CQuorlyn32App(const CQuorlyn32App&) = delete;
    CQuorlyn32App& operator=(const CQuorlyn32App&) = delete;

    // The application object in use: the last one constructed that still lives (a private
    // default one when none does).
    static CQuorlyn32App& instance();

    // Start-up and shutdown. `programPath` is the program file; `arguments` the command line
    // without the program name, whose project files all open.
    bool InitInstance(AppShell& shell, const QString& programPath, const QStringList& arguments);
    int ExitInstance();
    // The main window is closing for good: what it and the shutdown store reaches the settings in
    // one write, at the end of ExitInstance().
    void beginShutdown();

    // The seven resource directories ("File Locations"); getters return copies, setters store in
    // the object only and return a copy of the new text.
    QString GetFontsDirectory() const { return m_context.directories.fonts; }
    QString GetMacrosDirectory() const { return m_context.directories.macros; }
    QString GetFormsDirectory() const { return m_context.directories.forms; }
    QString GetProgramsDirectory() const { return m_context.directories.programs; }
    QString GetProjectsDirectory() const { return m_context.directories.projects; }
    QString GetResourcesDirectory() const { return m_context.directories.resources; }
    QString GetBuildsDirectory() const { return m_context.directories.builds; }
    QString SetFontsDirectory(const QString& d) { return m_context.directories.fonts = d; }
    QString SetMacrosDirectory(const QString& d) { return m_context.directories.macros = d; }
    QString SetFormsDirectory(const QString& d) { return m_context.directories.forms = d; }
    QString SetProgramsDirectory(const QString& d) { return m_context.directories.programs = d; }
    QString SetProjectsDirectory(const QString& d) { return m_context.directories.projects = d; }
    QString SetResourcesDirectory(const QString& d) { return m_context.directories.resources = d; }
    QString SetBuildsDirectory(const QString& d) { return m_context.directories.builds = d; }
    // Fonts (subtypes 0-4), macros (5, 6), forms (7), program data (8); empty for anything else.
    QString GetDirectoryForSubtype(int subtype) const { return m_context.directories.forSubtype(subtype); }

    bool isFileAvailable(const QString& path);
    static int ReadVersionInfo(const QString& path, std::uint32_t& fileVersionHigh,
                               std::uint32_t& fileVersionLow, QString& fileVersionText,
                               QString& productVersionText);
    int GetFontIdMessages() const;
    static bool CanOpenFile(const QString& path);
    // The open or save dialog of project files; the name goes in and comes out in `fileName`.
    // The save dialog adds ".prj" to a name typed without an extension.
    bool DoProjectFileDialog(QString& fileName, int titleId, bool mustExist, bool open);

    // Commands.
    void OnAppAbout();
    void OnFileOpen();
    bool OnUpdateFileSave() const;
    void OnPreferences();
    void OnFileImportDos();

    // The log, and whether a text of `level` is to be written (1 lines, 3 details, 9 traces).
    LogFile& log() { return m_context.log(); }
    int LogLevel() const { return m_context.logLevel(); }
    bool logs(int level) const { return m_context.logs(level); }
    // Writes the text when the log level allows it.
    void logText(int level, const QString& text) { m_context.logText(level, text); }

    int versionChanged() const { return m_context.versionChanged ? 1 : 0; }
    int languageId() const { return m_languageId; }
    QString helpFileName() const { return m_context.helpFileName; }
    QString languageLibraryName() const { return m_languageLibraryName; }
    QString programDirectory() const { return m_context.programDirectory; }
    QString fileVersionText() const { return m_context.fileVersionText; }
    int startUpOptions() const { return m_context.startUpOptions; }
    int startUpSplash() const { return m_context.startUpSplash; }
    QString lastProject() const { return m_lastProject; }

    // Set by the old-format import command, read and cleared by the project file reader.
    int dosImport() const { return m_context.dosImport; }

    CGlobalPrefs* prefs() const { return m_prefs.get(); }
    qrl::RecentFileList& recentFiles() { return m_recentFiles; }
    CWinPlacement& mainPlacement() { return m_mainPlacement; }
    // What the lower layers read of the application.
    qrl::AppContext& context() { return m_context; }
    AppShell* shell() const { return m_shell; }

private:
    void openLog();
    void readOwnVersion(const QString& programPath);
    void checkVersion();
    void chooseLanguage();
    int GetIniDefaultLanguage() const;
    void LoadLanguageLibrary();
    void SelectHelpFile();
    void LoadFileLocations();
    void ReadStartUpSettings();
    void resetStoredPlacements();
    bool loadExtensionMap();
    void saveExtensionMap();

    // First member: the context is in use before anything else of the application is made.
    qrl::AppContext m_context;
    std::unique_ptr<CGlobalPrefs> m_prefs;
    bool m_prefsLoaded = false;
    int m_logAppend = 1;
    int m_logTimeStamp = 0;
    QString m_programPath;
    CWinPlacement m_mainPlacement;
    QString m_languageLibraryName;
    int m_languageId = 0;
    std::unique_ptr<QTranslator> m_languageLibrary;
    QString m_lastProject;
    qrl::RecentFileList m_recentFiles;
    AppShell* m_shell = nullptr;
    CQuorlyn32App* m_previousInstance = nullptr;
    bool m_shutdownBatch = false; // the shutdown's batch on the profile is open
};

// The application object in use.
inline CQuorlyn32App& theApp()
{
    return CQuorlyn32App::instance();
}
