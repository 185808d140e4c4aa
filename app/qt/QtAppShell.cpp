#include "QtAppShell.h"

#include "AppTextIds.h"
#include "DocumentBuildSource.h"

#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CProperties.h"
#include "CQuorlyn32App.h"
#include "CQuorlyn32Doc.h"
#include "CQuorlyn32View.h"
#include "CommandIds.h"
#include "DocumentFigures.h"
#include "FileStamp.h"
#include "FrameActions.h"
#include "ImageLists.h"
#include "LogFile.h"
#include "LogFileWindow.h"
#include "PrintSetup.h"
#include "ProjectDrop.h"
#include "ViewCommands.h"
#include "WindowPlacementAdapter.h"

#include <QApplication>
#include <QMdiArea>
#include <QTimer>

QtAppShell::QtAppShell()
{
    // The log opens before the main frame exists, so its window factory is there from the start.
    LogFile::setWindowFactory([](LogFile* log) -> LogWindow* {
        auto* window = new LogFileWindow;
        if (!window->Create(nullptr)) {
            delete window;
            return nullptr;
        }
        window->setLogFile(log);
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->show();
        return window;
    });
}

QtAppShell::~QtAppShell()
{
    delete m_mainFrame;
    LogFile::setWindowFactory({});
    if (imageLists() == m_imageLists.get())
        setImageLists(nullptr);
}

bool QtAppShell::createImageLists()
{
    m_imageLists = std::make_unique<ImageLists>();
    setImageLists(m_imageLists.get());
    return true;
}

bool QtAppShell::createMainFrame()
{
    m_mainFrame = new CMainFrame;
    connectAppCommands();
    new ViewCommands(m_mainFrame);
    new ProjectDrop(m_mainFrame->mdiArea()->viewport(),
                    [this](const QStringList& paths) { openHandedFiles(paths); });
    return true;
}

// The commands the application object and the framework handle.
void QtAppShell::connectAppCommands()
{
    m_mainFrame->connectCommand(qrl::cmd::kFileNew, [this] { newDocument(); });
    m_mainFrame->connectCommand(qrl::cmd::kFileOpen, [] { theApp().OnFileOpen(); });
    m_mainFrame->connectCommand(qrl::cmd::kAppAbout, [] { theApp().OnAppAbout(); });
    m_mainFrame->connectCommand(qrl::cmd::kPreferences, [] { theApp().OnPreferences(); });
    m_mainFrame->connectCommand(qrl::cmd::kFilePrintSetup, [this] { PrintSetup::run(m_mainFrame); });
    m_mainFrame->connectCommand(qrl::cmd::kAppExit, [this] { m_mainFrame->close(); });
    for (int i = 0; i < FrameActions::kRecentFileCount; ++i)
        m_mainFrame->connectCommand(qrl::cmd::kFirstRecentFile + i, [this, i] { openRecentFile(i); });
}

void QtAppShell::openRecentFile(int index)
{
    const QStringList& entries = theApp().recentFiles().entries();
    if (index >= entries.size())
        return;
    const QString path = entries.at(index);
    // An entry that no longer opens leaves the list; its message was shown by the open.
    if (!openDocument(path))
        theApp().recentFiles().remove(path);
}

void QtAppShell::applyMainPlacement(const qrl::WindowPlacement& placement)
{
    if (m_mainFrame)
        qrl::applyWindowPlacement(m_mainFrame, placement);
}

void QtAppShell::showMainFrame(const QString& title)
{
    if (!m_mainFrame)
        return;
    m_mainFrame->show();
    m_mainFrame->setWindowTitle(title);
    if (auto* logWindow = dynamic_cast<LogFileWindow*>(theApp().log().window()))
        logWindow->keepOver(m_mainFrame);
}

bool QtAppShell::newDocument()
{
    if (!m_mainFrame)
        return false;
    auto doc = std::make_unique<CQuorlyn32Doc>();
    if (!doc->OnNewDocument())
        return false;
    showProject(std::move(doc));
    return true;
}

namespace {

constexpr int kHandedFilesRetryMs = 250;

// The project a project window shows (its document is a child of the frame).
const CQuorlyn32Doc* projectOf(const CChildFrame* child)
{
    return child ? child->findChild<CQuorlyn32Doc*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

CChildFrame* QtAppShell::projectWindowOf(const QString& path) const
{
    for (QMdiSubWindow* window : m_mainFrame->mdiArea()->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(window);
        const CQuorlyn32Doc* doc = projectOf(child);
        if (doc && qrl::sameFile(doc->GetPathName(), path))
            return child;
    }
    return nullptr;
}

bool QtAppShell::openDocument(const QString& path)
{
    if (!m_mainFrame)
        return false;
    // A project open already comes forward in its window: a second window on one file would let
    // each save over the other's work.
    if (CChildFrame* open = projectWindowOf(path)) {
        if (open->isMinimized())
            open->showNormal();
        m_mainFrame->mdiArea()->setActiveSubWindow(open);
        theApp().recentFiles().add(projectOf(open)->GetPathName());
        return true;
    }
    // The project is read before its window exists: a file that does not open leaves nothing
    // behind but its message.
    auto doc = std::make_unique<CQuorlyn32Doc>();
    if (!doc->OnOpenDocument(path))
        return false;
    theApp().recentFiles().add(doc->GetPathName());
    showProject(std::move(doc));
    return true;
}

void QtAppShell::showProject(std::unique_ptr<CQuorlyn32Doc> doc)
{
    auto* child = new CChildFrame;
    CQuorlyn32Doc* project = doc.release();
    // A child of the frame made after the frame's client: it goes after the view that shows it.
    project->setParent(child);
    auto* view = new CQuorlyn32View(project, child);
    child->setView(view);
    child->setProject(new DocumentFigures(project));
    child->setBuildDocument(std::make_unique<qrl::build::DocumentBuildSource>(*project));
    m_mainFrame->addChildFrame(child);
    view->OnInitialUpdate();
}

void QtAppShell::openHandedFiles(const QStringList& paths)
{
    if (!m_mainFrame)
        return;
    // A dialog or question of this program is up: the files wait until it is answered, so that
    // no project changes under it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(kHandedFilesRetryMs, m_mainFrame, [this, paths] { openHandedFiles(paths); });
        return;
    }
    for (const QString& path : paths)
        openDocument(path);
    if (m_mainFrame->isMinimized())
        m_mainFrame->showNormal();
    m_mainFrame->raise();
    m_mainFrame->activateWindow();
}

void QtAppShell::runFileOpenCommand()
{
    QString fileName;
    if (theApp().DoProjectFileDialog(fileName, qrl::ids::kOpenProjectTitle, true, true))
        openDocument(fileName);
}

void QtAppShell::runAboutBox()
{
    CAboutDlg::run(m_mainFrame);
}

void QtAppShell::runPreferences()
{
    // The start-up values take effect at the next start; the application keeps its own for this run.
    CProperties::run(m_mainFrame, [](int, int) {});
}

bool QtAppShell::activeDocumentModified() const
{
    const CQuorlyn32View* view = m_mainFrame ? ViewCommands::activeView(*m_mainFrame) : nullptr;
    return view && view->GetDocument()->IsModified();
}
