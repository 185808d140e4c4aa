#include "QtUserInterface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace qrl {

namespace {

QString startPath(const FileDialogRequest& r)
{
    if (r.fileName.isEmpty())
        return r.directory;
    return r.directory.isEmpty() ? r.fileName : QDir(r.directory).filePath(r.fileName);
}

} // namespace

QWidget* QtUserInterface::parent()
{
    if (m_mainWindow) {
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
        return m_mainWindow;
    }
    return QApplication::activeWindow();
}

Answer QtUserInterface::message(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    QMessageBox::StandardButtons std;
    switch (buttons) {
    case Buttons::Ok:
        std = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        std = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        std = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case Buttons::RetryCancel:
        std = QMessageBox::Retry | QMessageBox::Cancel;
        break;
    }
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Information:
        qicon = QMessageBox::Information;
        break;
    case Icon::Warning:
        qicon = QMessageBox::Warning;
        break;
    case Icon::Error:
        qicon = QMessageBox::Critical;
        break;
    case Icon::Question:
        qicon = QMessageBox::Question;
        break;
    }
    QMessageBox box(qicon, caption.isEmpty() ? defaultCaption() : caption, text, std, parent());
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        break;
    }
    // Closing a box with a Cancel button by its frame answers Cancel; a lone OK box answers OK.
    return buttons == Buttons::Ok ? Answer::Ok : (box.clickedButton() ? Answer::Ok : Answer::Cancel);
}

std::optional<QString> QtUserInterface::openFileName(const FileDialogRequest& r)
{
    const QString name = QFileDialog::getOpenFileName(parent(), r.title, startPath(r), qtFilter(r.filter));
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QStringList> QtUserInterface::openFileNames(const FileDialogRequest& r)
{
    const QStringList names =
        QFileDialog::getOpenFileNames(parent(), r.title, startPath(r), qtFilter(r.filter));
    return names.isEmpty() ? std::nullopt : std::optional<QStringList>(names);
}

std::optional<QString> QtUserInterface::saveFileName(const FileDialogRequest& r)
{
    QFileDialog dialog(parent(), r.title, startPath(r), qtFilter(r.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (!r.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtUserInterface::existingDirectory(const QString& title, const QString& directory)
{
    const QString dir = QFileDialog::getExistingDirectory(parent(), title, directory);
    return dir.isEmpty() ? std::nullopt : std::optional<QString>(dir);
}

} // namespace qrl
