#include "QtUserInterface.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace qrl {

namespace {

QString startPath(const FileDialogRequest& r)
{
    if (r.fileName.isEmpty())
        return r.directory;
    return r.directory.isEmpty() ? r.fileName : QDir(r.directory).filePath(r.fileName);
}

// A file dialog that takes a name with double quotes as typed. Qt's own dialog reads quotes in
// its name box as a list of names ("a" "b"), so `Büro "Nord"` would become the file Nord. A name
// with quotes is the one file it names when the dialog is for one file, and in a dialog for
// several files when a file of that whole name is there; otherwise the quotes list names.
class NameAsTypedDialog : public QFileDialog {
public:
    NameAsTypedDialog(QWidget* parent, const FileDialogRequest& r, FileMode mode, AcceptMode accept)
        : QFileDialog(parent, r.title, startPath(r), qtFilter(r.filter))
    {
        setFileMode(mode);
        setAcceptMode(accept);
        setDefaultSuffix(r.defaultSuffix);
        if (!r.overwritePrompt)
            setOption(DontConfirmOverwrite);
        // Qt's dialog (not a desktop's own) disables its button for a name it reads as a list of
        // missing files; the button follows the name as typed. This runs after Qt's own update.
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            connect(edit, &QLineEdit::textChanged, this, [this] {
                auto* box = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                QPushButton* ok = box ? box->button(acceptMode() == AcceptSave ? QDialogButtonBox::Save
                                                                               : QDialogButtonBox::Open)
                                      : nullptr;
                if (ok && !typedPath().isEmpty())
                    ok->setEnabled(true);
            });
        }
    }

    // What the user chose; empty after a cancel.
    QStringList chosen() const
    {
        if (result() != Accepted)
            return {};
        return m_typed.isEmpty() ? selectedFiles() : QStringList{m_typed};
    }

    void accept() override
    {
        m_typed.clear();
        const QString path = typedPath();
        if (path.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        if (acceptMode() == AcceptSave && QFileInfo::exists(path) && !testOption(DontConfirmOverwrite) &&
            QMessageBox::warning(this, windowTitle(),
                                 QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        m_typed = path;
        QDialog::accept();
    }

private:
    // The file a name with double quotes names as typed (with the default suffix for a save);
    // empty when the name has none, or when the dialog's own reading stands (a folder, or no such
    // file to open).
    QString typedPath() const
    {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString text = edit ? edit->text() : QString();
        if (!text.contains(QLatin1Char('"')))
            return {};
        QString path = QDir(directory()).absoluteFilePath(text);
        if (acceptMode() == AcceptSave) {
            if (!defaultSuffix().isEmpty() && !QFileInfo(path).fileName().contains(QLatin1Char('.')))
                path += QLatin1Char('.') + defaultSuffix();
            return QFileInfo(path).isDir() ? QString() : path;
        }
        return QFileInfo(path).isFile() ? path : QString();
    }

    QString m_typed;
};

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
    return show(text, {}, buttons, icon, caption);
}

Answer QtUserInterface::messageWithDetail(const QString& text, const QString& detail, Buttons buttons,
                                          Icon icon)
{
    return show(text, detail, buttons, icon, {});
}

Answer QtUserInterface::show(const QString& text, const QString& detail, Buttons buttons, Icon icon,
                             const QString& caption)
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
    box.setInformativeText(detail);
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
    NameAsTypedDialog dialog(parent(), r, QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
    dialog.exec();
    const QStringList names = dialog.chosen();
    return names.isEmpty() ? std::nullopt : std::optional<QString>(names.first());
}

std::optional<QStringList> QtUserInterface::openFileNames(const FileDialogRequest& r)
{
    NameAsTypedDialog dialog(parent(), r, QFileDialog::ExistingFiles, QFileDialog::AcceptOpen);
    dialog.exec();
    const QStringList names = dialog.chosen();
    return names.isEmpty() ? std::nullopt : std::optional<QStringList>(names);
}

std::optional<QString> QtUserInterface::saveFileName(const FileDialogRequest& r)
{
    NameAsTypedDialog dialog(parent(), r, QFileDialog::AnyFile, QFileDialog::AcceptSave);
    dialog.exec();
    const QStringList names = dialog.chosen();
    return names.isEmpty() ? std::nullopt : std::optional<QString>(names.first());
}

std::optional<QString> QtUserInterface::existingDirectory(const QString& title, const QString& directory)
{
    const QString dir = QFileDialog::getExistingDirectory(parent(), title, directory);
    return dir.isEmpty() ? std::nullopt : std::optional<QString>(dir);
}

} // namespace qrl
