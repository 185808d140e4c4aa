#pragma once

#include "AppShell.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class CChildFrame;
class CMainFrame;
class CQuorlyn32Doc;
class ImageLists;

// The application object's windows in Qt.
class QtAppShell : public AppShell {
public:
    QtAppShell();
    ~QtAppShell() override;

    bool createImageLists() override;
    bool createMainFrame() override;
    void applyMainPlacement(const qrl::WindowPlacement& placement) override;
    void showMainFrame(const QString& title) override;
    bool newDocument() override;
    // A project open already in a project window brings that window forward; any other file is
    // read and shown in a new one.
    bool openDocument(const QString& path) override;
    void runFileOpenCommand() override;
    void runAboutBox() override;
    void runPreferences() override;
    bool activeDocumentModified() const override;

    CMainFrame* mainFrame() const { return m_mainFrame; }
    // Shows a project in a new project window of the main frame, on the first tab that has items;
    // the window owns the document from here on.
    void showProject(std::unique_ptr<CQuorlyn32Doc> doc);
    // The files another start of the program handed over: each opens (or comes forward), and the
    // main window comes to the front.
    void openHandedFiles(const QStringList& paths);

private:
    void connectAppCommands();
    // The project window whose project is the file `path`; nullptr when none is.
    CChildFrame* projectWindowOf(const QString& path) const;
    // The File menu's recent-file entry `index` (0 the newest).
    void openRecentFile(int index);

    std::unique_ptr<ImageLists> m_imageLists;
    QPointer<CMainFrame> m_mainFrame;
};
