#include "CQuorlyn32App.h"

#include "AppShell.h"
#include "CGlobalPrefs.h"
#include "Profile.h"
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

CQuorlyn32App::CQuorlyn32App()
    : m_previousInstance(currentApp)
{
    currentApp = this;
}

CQuorlyn32App::~CQuorlyn32App()
{
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

QString CQuorlyn32App::GetDirectoryForSubtype(int subtype) const
{
    if (subtype >= 0 && subtype <= 4)
        return GetFontsDirectory();
    if (subtype == 5 || subtype == 6)
        return GetMacrosDirectory();
    if (subtype == 7)
        return GetFormsDirectory();
    if (subtype == 8)
        return GetProgramsDirectory();
    return {};
}

void CQuorlyn32App::logText(int level, const QString& text)
{
    if (logs(level))
        m_log.WriteText(text);
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
    return qrl::profile().getInt(QStringLiteral("Settings"), QStringLiteral("Font ID Messages"), 0);
}

bool CQuorlyn32App::CanOpenFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

bool CQuorlyn32App::DoProjectFileDialog(QString& fileName, int titleId, bool mustExist, bool open)
{
    qrl::FileDialogRequest request;
    request.title = qrl::text(titleId);
    request.directory = GetProjectsDirectory();
    request.fileName = fileName.left(260);
    request.filter = QStringLiteral("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||");
    request.mustExist = mustExist;
    request.overwritePrompt = true;
    // A name typed without an extension is saved as a project the open dialog's filter shows.
    if (!open)
        request.defaultSuffix = QStringLiteral("prj");
    const auto chosen = open ? qrl::ui().openFileName(request) : qrl::ui().saveFileName(request);
    if (!chosen)
        return false;
    fileName = *chosen;
    return true;
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
    m_dosImport = 1;
    if (m_shell)
        m_shell->runFileOpenCommand();
    // The reader clears the flag when it runs; a cancelled dialog must not leave it set for the
    // next ordinary open.
    m_dosImport = 0;
}
