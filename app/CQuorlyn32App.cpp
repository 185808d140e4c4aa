#include "CQuorlyn32App.h"

#include "AppShell.h"
#include "AppTextIds.h"
#include "CGlobalPrefs.h"
#include "ProjectFileDialog.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "UserInterface.h"
#include "VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QTranslator>

#include <sys/stat.h>

namespace {
CQuorlyn32App* currentApp = nullptr;
} // namespace

CQuorlyn32App::CQuorlyn32App() : m_previousInstance(currentApp)
{
    currentApp = this;
}

CQuorlyn32App::~CQuorlyn32App()
{
    if (m_prefs && activePrefs() == m_prefs.get())
        setActivePrefs(nullptr);
    if (currentApp == this)
        currentApp = m_previousInstance;
}

CQuorlyn32App& CQuorlyn32App::instance()
{
    if (currentApp)
        return *currentApp;
    static CQuorlyn32App fallback;
    return fallback;
}

bool CQuorlyn32App::isFileAvailable(const QString& path)
{
    logText(1, QStringLiteral("searching file in CQuorlyn32App::isFileAvailable()"));
    logText(1, path);
    struct stat st;
    const bool available = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (!available)
        logText(1, QStringLiteral("File not found !"));
    return available;
}

int CQuorlyn32App::ReadVersionInfo(const QString& path, std::uint32_t& fileVersionHigh,
                                   std::uint32_t& fileVersionLow, QString& fileVersionText,
                                   QString& productVersionText)
{
    qrl::VersionRecord record;
    if (!qrl::readVersionRecord(path, record))
        return 0;
    fileVersionHigh = (std::uint32_t{record.file[0]} << 16) | record.file[1];
    fileVersionLow = (std::uint32_t{record.file[2]} << 16) | record.file[3];
    fileVersionText = qrl::versionText(record.file);
    productVersionText = qrl::versionText(record.product);
    return 1;
}

int CQuorlyn32App::GetFontIdMessages() const
{
    return qrl::read(qrl::settings::kFontIdMessages);
}

bool CQuorlyn32App::CanOpenFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

bool CQuorlyn32App::DoProjectFileDialog(QString& fileName, int titleId, bool mustExist, bool open)
{
    return projectFileDialog(fileName, titleId, mustExist, open);
}

void CQuorlyn32App::OnAppAbout()
{
    if (m_shell)
        m_shell->runAboutBox();
}

void CQuorlyn32App::OnFileOpen()
{
    if (!GetProjectsDirectory().isEmpty())
        QDir::setCurrent(GetProjectsDirectory());
    QString fileName;
    if (DoProjectFileDialog(fileName, qrl::ids::kOpenProjectTitle, true, true) && m_shell)
        m_shell->openDocument(fileName);
}

bool CQuorlyn32App::OnUpdateFileSave() const
{
    return m_shell && m_shell->activeDocumentModified();
}

void CQuorlyn32App::OnPreferences()
{
    if (m_shell)
        m_shell->runPreferences();
}

void CQuorlyn32App::OnFileImportDos()
{
    m_context.dosImport = 1;
    if (m_shell)
        m_shell->runFileOpenCommand();
    // The reader clears the flag when it runs; a cancelled dialog must not leave it set for the
    // next ordinary open.
    m_context.dosImport = 0;
}
