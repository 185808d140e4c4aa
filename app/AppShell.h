#pragma once

#include "WindowPlacement.h"

#include <QString>

// What the application object asks of the windowing side. The program's Qt shell implements it;
// tests use a recording one. Every call runs on the user-interface thread.
class AppShell {
public:
    virtual ~AppShell() = default;

    // The project window's two image lists (small and large icons). False when they cannot be made.
    virtual bool createImageLists() = 0;
    // Creates the main frame; false ends the start-up without a message.
    virtual bool createMainFrame() = 0;
    virtual void applyMainPlacement(const qrl::WindowPlacement& placement) = 0;
    // Shows the main window with its title.
    virtual void showMainFrame(const QString& title) = 0;
    virtual bool newDocument() = 0;
    virtual bool openDocument(const QString& path) = 0;
    // The framework's own open command: its open dialog, then the document's open.
    virtual void runFileOpenCommand() = 0;
    virtual void runAboutBox() = 0;
    virtual void runPreferences() = 0;
    // True when a main window and an open document exist and the active document is modified.
    virtual bool activeDocumentModified() const = 0;
};
