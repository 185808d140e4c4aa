#pragma once

#include "UserInterface.h"

#include <QPointer>
#include <QWidget>

namespace qrl {

// Message boxes and file dialogs of Qt. Every box first brings the main window forward.
class QtUserInterface : public UserInterface {
public:
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    // The detail is the box's informative text, beneath the text.
    Answer messageWithDetail(const QString& text, const QString& detail, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> openFileNames(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> existingDirectory(const QString& title, const QString& directory) override;

private:
    QWidget* parent();
    Answer show(const QString& text, const QString& detail, Buttons buttons, Icon icon,
                const QString& caption);

    QPointer<QWidget> m_mainWindow;
};

} // namespace qrl
