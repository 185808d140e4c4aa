// Opening and saving a project.
#include "CQuorlyn32Doc.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"

#include "AppContext.h"
#include "FileMessages.h"
#include "FileSave.h"
#include "ProjectFileDialog.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

void logLine(int level, const QString& text)
{
    qrl::context().logText(level, text + QStringLiteral("\r\n"));
}

} // namespace

bool CQuorlyn32Doc::OnNewDocument()
{
    return true;
}

bool CQuorlyn32Doc::OnOpenDocument(const QString& path)
{
    logLine(1, qrl::formatText(QStringLiteral("Opening document: %s"), {path}));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qrl::ui().message(qrl::text(qrl::ids::kFailedToOpenDocument), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    // Taken before the read: a write by another program while this one reads is seen at the save.
    const qrl::FileStamp stamp = qrl::fileStamp(file.handle());
    SetDocumentDirectory(QFileInfo(path).absolutePath());
    SetModifiedFlag(false);

    SetImportedFrom({});
    if (!LoadDocumentFile(file, path))
        return false;
    file.close();
    // An imported project stays untitled until it is saved under a name of the user's choice.
    const bool imported = !GetImportedFrom().isEmpty();
    SetPathName(imported ? QString() : QFileInfo(path).absoluteFilePath());
    m_fileStamp = imported ? qrl::FileStamp() : stamp;
    // A refresh, not an add: the pane shows this project's figures even when it is over capacity.
    refreshCapacity(0);
    return true;
}

bool CQuorlyn32Doc::maySaveOver(const QString& path) const
{
    int questionId = 0;
    if (qrl::sameFile(path, m_pathName)) {
        // A file that is gone holds nothing to lose; one written or replaced since it was read
        // or saved here holds another program's (or another window's) work.
        const qrl::FileStamp now = qrl::fileStamp(path);
        if (m_fileStamp.exists && now.exists && now != m_fileStamp)
            questionId = qrl::ids::kProjectChangedOnDisk;
    } else if (FindOpenDocument(path, this)) {
        questionId = qrl::ids::kProjectOpenElsewhere;
    }
    if (questionId == 0)
        return true;
    const QString question = qrl::formatText(qrl::text(questionId), {QFileInfo(path).absoluteFilePath()});
    return qrl::ui().message(question, qrl::Buttons::YesNo, qrl::Icon::Warning) == qrl::Answer::Yes;
}

bool CQuorlyn32Doc::OnSaveDocument(const QString& path)
{
    if (!maySaveOver(path))
        return false;
    // The project is put together in memory and then written whole: the old file is replaced only
    // by a complete one, so a failed save never costs the only copy.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteProjectFile(buffer)) {
        ShowFileError(qrl::ids::kFileErrorFormat, qrl::ids::kErrorWritingFile, qrl::ids::kHintCheckReadOnly,
                      path);
        return false;
    }
    const QByteArray& bytes = buffer.data();
    qrl::WriteError error = qrl::WriteError::None;
    if (!qrl::writeWholeFile(qrl::nativePath(path), bytes.constData(), static_cast<std::size_t>(bytes.size()),
                             &error)) {
        ShowWriteFailure(error, path);
        return false;
    }
    m_fileStamp = qrl::fileStamp(path);
    qrl::write(qrl::settings::kLastProject, QFileInfo(path).absoluteFilePath());
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
    if (!m_importedFrom.isEmpty())
        fileName = QFileInfo(m_importedFrom).completeBaseName() + QStringLiteral(".prj");
    if (!projectFileDialog(fileName, qrl::ids::kSaveProjectAsTitle, false, false))
        return false;
    if (!OnSaveDocument(fileName))
        return false;
    const QFileInfo saved(fileName);
    SetPathName(saved.absoluteFilePath());
    SetDocumentDirectory(saved.absolutePath());
    SetImportedFrom({});
    return true;
}
