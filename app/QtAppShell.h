#pragma once

#include "AppShell.h"

#include <QPointer>

#include <memory>

class CMainFrame;
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
    bool openDocument(const QString& path) override;
    void runFileOpenCommand() override;
    void runAboutBox() override;
    void runPreferences() override;
    bool activeDocumentModified() const override;

    CMainFrame* mainFrame() const { return m_mainFrame; }

private:
    void connectAppCommands();

    std::unique_ptr<ImageLists> m_imageLists;
    QPointer<CMainFrame> m_mainFrame;
};
