#pragma once

#include "AppContext.h"
#include "AppShell.h"
#include "CQuorlyn32Doc.h"
#include "CapacityPane.h"
#include "Replaceable.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "UnknownExtensionQuestion.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

class CQuorlyn32App;

namespace qrl::test {

// A windowing side that does nothing.
class NullShell : public AppShell {
public:
    bool createImageLists() override { return true; }
    bool createMainFrame() override { return true; }
    void applyMainPlacement(const WindowPlacement&) override {}
    void showMainFrame(const QString&) override {}
    bool newDocument() override { return true; }
    bool openDocument(const QString&) override { return true; }
    void runFileOpenCommand() override {}
    void runAboutBox() override {}
    void runPreferences() override {}
    bool activeDocumentModified() const override { return false; }
};

// Answers the unknown-extension question from a queue (empty: Cancel) and records the paths asked.
class ScriptedUnknownExtension : public UnknownExtensionQuestion {
public:
    void answer(std::optional<UnknownExtensionChoice> choice) { m_answers.push_back(choice); }
    std::optional<UnknownExtensionChoice> ask(const QString& path) override;
    const QStringList& asked() const { return m_asked; }

private:
    std::deque<std::optional<UnknownExtensionChoice>> m_answers;
    QStringList m_asked;
    ScopedReplacement<UnknownExtensionQuestion> m_installed{setUnknownExtensionQuestion, this};
};

// A project whose content check refuses only the files named in `refused`: the add road is tested
// apart from the checks, which have tests of their own.
class CheckedDoc : public CQuorlyn32Doc {
public:
    bool ValidateItemFile(const QString& path, int) override { return !refused.contains(path); }
    QStringList refused;
};

// Records what the capacity pane is told while it lives.
class RecordingPane : public CapacityPane {
public:
    RecordingPane() { setCapacityPane(this); }
    ~RecordingPane() override { setCapacityPane(nullptr); }
    void showCapacityText(const QString& text) override { texts.append(text); }
    QStringList texts;
};

// A started application object (built-in extension map, no resource directories) on an in-memory
// profile, with scripted boxes and a private directory as the current directory. Profile values
// that the start-up reads can be set in `profile` before calling start().
class ProjectTest : public ::testing::Test {
protected:
    ProjectTest();
    ~ProjectTest() override;
    void SetUp() override { start(); }
    void start();
    // Writes a file into the private directory and answers its full path.
    QString makeFile(const std::string& name, const std::string& bytes) const;
    QString dirPath() const { return QString::fromStdString(cwd.path()); }

    ScopedProfile profile;
    ScriptedUserInterface ui;
    ScriptedUnknownExtension question;
    TempCwd cwd;
    // The application object, started as the program starts it; the tests read and set what it
    // shares through qrl::context() and activePrefs().
    std::unique_ptr<CQuorlyn32App> app;
    NullShell shell;
};

} // namespace qrl::test
