#pragma once

#include "AppShell.h"

#include <QStringList>

// An AppShell that records what the application object asked of it.
class RecordingShell : public AppShell {
public:
    bool createImageLists() override
    {
        calls << "imageLists";
        return true;
    }
    bool createMainFrame() override
    {
        calls << "mainFrame";
        return frameCreates;
    }
    void applyMainPlacement(const qrl::WindowPlacement& p) override
    {
        calls << "placement";
        applied = p;
    }
    void showMainFrame(const QString& title) override { calls << "show:" + title; }
    bool newDocument() override
    {
        calls << "new";
        return true;
    }
    bool openDocument(const QString& path) override
    {
        calls << "open:" + path;
        return true;
    }
    void runFileOpenCommand() override { calls << "fileOpen"; }
    void runAboutBox() override { calls << "about"; }
    void runPreferences() override { calls << "preferences"; }
    bool activeDocumentModified() const override { return modified; }

    QStringList calls;
    qrl::WindowPlacement applied;
    bool frameCreates = true;
    bool modified = false;
};
