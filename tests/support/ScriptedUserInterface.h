#pragma once

#include "Replaceable.h"
#include "UserInterface.h"

#include <QList>

#include <deque>

namespace qrl::test {

// Answers boxes and file dialogs from queues and records every box shown. An empty answer queue
// gives the box's first button; an empty file queue gives a cancel. Installs itself while it lives.
class ScriptedUserInterface : public UserInterface {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString caption;
        QString detail; // what messageWithDetail put beneath the text
    };
    struct Dialog {
        QString kind; // "open", "openMany", "save", "folder"
        FileDialogRequest request;
    };

    void answer(Answer a) { m_answers.push_back(a); }
    // The next file dialog returns these names (one for single dialogs); an empty list cancels.
    void file(const QStringList& names) { m_files.push_back(names); }
    void file(const QString& name) { m_files.push_back({name}); }

    const QList<Shown>& shown() const { return m_shown; }
    const QList<Dialog>& dialogs() const { return m_dialogs; }
    QStringList texts() const;
    void clear()
    {
        m_shown.clear();
        m_dialogs.clear();
    }

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    Answer messageWithDetail(const QString& text, const QString& detail, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> openFileNames(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> existingDirectory(const QString& title, const QString& directory) override;

private:
    std::optional<QStringList> nextFiles(const QString& kind, const FileDialogRequest& request);

    std::deque<Answer> m_answers;
    std::deque<QStringList> m_files;
    QList<Shown> m_shown;
    QList<Dialog> m_dialogs;
    ScopedReplacement<UserInterface> m_installed{setUi, this};
};

} // namespace qrl::test
