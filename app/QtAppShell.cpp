#include "QtAppShell.h"

#include "CMainFrame.h"
#include "CQuorlyn32App.h"
#include "CommandIds.h"
#include "ImageLists.h"
#include "LogFile.h"
#include "LogFileWindow.h"
#include "WindowPlacementAdapter.h"

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
    return true;
}

// The commands the application object and the framework handle.
void QtAppShell::connectAppCommands()
{
    m_mainFrame->connectCommand(cmd::kFileNew, [this] { newDocument(); });
    m_mainFrame->connectCommand(cmd::kFileOpen, [] { theApp().OnFileOpen(); });
    m_mainFrame->connectCommand(cmd::kAppAbout, [] { theApp().OnAppAbout(); });
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
}

bool QtAppShell::newDocument()
{
    return true;
}

bool QtAppShell::openDocument(const QString&)
{
    return false;
}

void QtAppShell::runFileOpenCommand() {}

void QtAppShell::runAboutBox() {}

void QtAppShell::runPreferences() {}

bool QtAppShell::activeDocumentModified() const
{
    return false;
}
