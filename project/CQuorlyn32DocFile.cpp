// Opening and saving a project.
#include "CQuorlyn32Doc.h"

#include "CQuorlyn32App.h"
#include "FileMessages.h"
#include "Profile.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const char* const kUnknownFileText = "Not a known Quorlyn project file";

void logLine(int level, const QString& text)
{
    theApp().logText(level, text + QStringLiteral("\r\n"));
}

} // namespace

bool CQuorlyn32Doc::OnNewDocument()
{
    return true;
}

bool CQuorlyn32Doc::OnOpenDocument(const QString& path)
{
    CQuorlyn32App& app = theApp();
    logLine(1, qrl::formatText(QStringLiteral("Opening document: %s"), {path}));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qrl::ui().message(qrl::text(61697), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    SetDocumentDirectory(QFileInfo(path).absolutePath());
    SetModifiedFlag(false);

    const int kind = GetProjectFileKind(file);
    if (kind == 0) {
        file.close();
        qrl::ui().message(QString::fromLatin1(kUnknownFileText), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    if (kind == 2 || kind == 3)
        app.setDosImport(1);
    if (app.dosImport() != 0) {
        logLine(1, QStringLiteral("Scanning DOS Project file"));
        if (!ImportDosProject(file)) {
            app.setDosImport(0);
            return false;
        }
    } else if (!ReadProjectFile(file)) {
        return false;
    }
    file.close();
    SetPathName(QFileInfo(path).absoluteFilePath());
    // A refresh, not an add: the pane shows this project's figures even when it is over capacity.
    refreshCapacity(0);
    return true;
}

bool CQuorlyn32Doc::OnSaveDocument(const QString& path)
{
    // The new project goes into a file beside the old one, which it replaces only once it is
    // complete and flushed: a failed save never costs the only copy.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        showSaveFailure(path);
        return false;
    }
    if (!WriteProjectFile(file)) {
        file.cancelWriting();
        showSaveFailure(path);
        return false;
    }
    if (!file.commit()) {
        showSaveFailure(path);
        return false;
    }
    qrl::profile().setString(QStringLiteral("Settings"), QStringLiteral("Last Project"),
                             QFileInfo(path).absoluteFilePath());
    SetModifiedFlag(false);
    return true;
}

bool CQuorlyn32Doc::OnFileSave()
{
    if (m_pathName.isEmpty())
        return OnFileSaveAs();
    return OnSaveDocument(m_pathName);
}

bool CQuorlyn32Doc::OnFileSaveAs()
{
    // The project directory follows the file only once it is saved: a cancelled or failed save
    // changes nothing. The dialog itself starts in the projects directory.
    QString fileName = QStringLiteral("*.prj");
    if (!theApp().DoProjectFileDialog(fileName, 2101, false, false))
        return false;
    if (!OnSaveDocument(fileName))
        return false;
    const QFileInfo saved(fileName);
    SetPathName(saved.absoluteFilePath());
    SetDocumentDirectory(saved.absolutePath());
    return true;
}

void CQuorlyn32Doc::showSaveFailure(const QString& path)
{
    ShowFileError(2400, 2386, 2231, path);
}
