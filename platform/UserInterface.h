#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qrl {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// What a file dialog is asked for. `filter` is in the table form "Text (*.a)|*.a|All (*.*)|*.*||".
struct FileDialogRequest {
    QString title;
    QString directory;
    QString fileName;
    QString filter;
    QString defaultSuffix; // added by the dialog to a name typed without an extension ("prn")
    bool overwritePrompt = true;
    bool mustExist = false;
};

// Every modal question the program asks: message boxes and file dialogs. The program installs
// Qt boxes; tests install scripted answers. Calls never throw.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::Information,
                           const QString& caption = {}) = 0;
    // A box whose `detail` (what another system says, such as the print system's reason) stands
    // beneath `text`; an empty detail gives the plain box. This base puts it under the text.
    virtual Answer messageWithDetail(const QString& text, const QString& detail,
                                     Buttons buttons = Buttons::Ok, Icon icon = Icon::Information);
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QStringList> openFileNames(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> existingDirectory(const QString& title, const QString& directory) = 0;
};

// The interface in use. Before one is installed, a silent one answers every box with its first
// button and every file dialog with a cancel, so nothing blocks and nothing is chosen by accident.
UserInterface& ui();
// Installs `ui` (not owned); nullptr goes back to the silent one. Returns the previous one.
UserInterface* setUi(UserInterface* ui);

// The first button's answer of a box (what Enter gives).
Answer defaultAnswer(Buttons buttons);

// "Text (*.a)|*.a|All (*.*)|*.*||" as Qt's "Text (*.a);;All (*.*)"; also the patterns per entry.
QString qtFilter(const QString& tableFilter);

// The caption every message box of the program carries unless another is given.
QString defaultCaption();

} // namespace qrl
