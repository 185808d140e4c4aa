#include "CToolDataFile.h"

#include "AppContext.h"
#include "FileMessages.h"
#include "ProgramFiles.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "ToolDataImage.h"
#include "ToolDataText.h"
#include "ToolFileWrite.h"
#include "ToolsTextIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void showFileError(const QString& path, const QString& error)
{
    ShowFileError(qrl::ids::kFileErrorFormat, error, qrl::ids::kHintCheckReadOnly,
                  QDir::toNativeSeparators(path));
}

} // namespace

CToolDataFile::Location CToolDataFile::locate(const QString& programDirectory, const QString& userDirectory,
                                              bool programDirectoryWritable)
{
    const QString fileName = QString::fromLatin1(qrl::tooldata::kFileName);
    const QString programFile = QDir(programDirectory).filePath(fileName);
    if (userDirectory.isEmpty())
        return {programFile, programFile, true};
    const QString userFile = QDir(userDirectory).filePath(fileName);
    if (QFileInfo::exists(userFile))
        return {userFile, userFile};
    const bool programFileExists = QFileInfo::exists(programFile);
    const bool programFileTrusted = programFileExists && qrl::isTrustedProgramFile(programFile);
    if (programDirectoryWritable && (!programFileExists || programFileTrusted))
        return {programFile, programFile, true};
    if (programFileTrusted)
        return {programFile, userFile, true};
    return {userFile, userFile};
}

CToolDataFile::Location CToolDataFile::defaultLocation()
{
    QString programDirectory = qrl::context().programDirectory;
    if (programDirectory.isEmpty())
        programDirectory = QCoreApplication::applicationDirPath();
    // An installation keeps a shipped copy with its read-only data, not beside the program.
    programDirectory = QFileInfo(qrl::findProgramFile(programDirectory, qrl::ProgramFileKind::Data,
                                                      QString::fromLatin1(qrl::tooldata::kFileName)))
                           .path();
    return locate(programDirectory, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                  isOwnWritableFolder(programDirectory));
}

bool CToolDataFile::isOwnWritableFolder(const QString& directory)
{
    // A folder shared with others (an installation, /tmp) would let them change what the tools
    // send to the printer, or lose the user's macros to another user's save.
    const QFileInfo folder(directory);
    return folder.isDir() && folder.isWritable() && folder.ownerId() == ::geteuid();
}

CToolDataFile::CToolDataFile(bool& ok) : CToolDataFile(defaultLocation(), ok)
{
}

CToolDataFile::CToolDataFile(const Location& location, bool& ok) : m_location(location)
{
    ok = OpenOrCreate();
}

bool CToolDataFile::OpenOrCreate()
{
    if (!QFileInfo::exists(m_location.readPath))
        return CreateSkeleton();
    QFile file;
    return open(file);
}

bool CToolDataFile::open(QFile& file) const
{
    file.setFileName(m_location.readPath);
    if (!file.open(QIODevice::ReadOnly)) {
        showFileError(m_location.readPath, file.errorString());
        return false;
    }
    // Checked on the file opened: the one at the name may have been exchanged since it was located.
    if (m_location.readBesideProgram && !qrl::isTrustedProgramFile(file.handle())) {
        showFileError(m_location.readPath, qrl::text(qrl::ids::kProgramFileNotTrusted));
        return false;
    }
    return true;
}

bool CToolDataFile::CreateSkeleton()
{
    if (!commit(QByteArray(qrl::tooldata::kSkeleton, qrl::tooldata::kSkeletonSize)))
        return false;
    m_created = 1;
    return true;
}

bool CToolDataFile::load(QByteArray& bytes) const
{
    QFile file;
    if (!open(file))
        return false;
    // The size comes from the file system; a read that brings less is an error, never a shorter file.
    const qint64 size = file.size();
    bytes = file.read(size);
    if (bytes.size() != size) {
        showFileError(m_location.readPath, file.errorString());
        return false;
    }
    return true;
}

bool CToolDataFile::readWith(const std::function<std::optional<QByteArray>(const QByteArray&)>& reader,
                             QByteArray& value)
{
    QByteArray bytes;
    if (!load(bytes))
        return false;
    const std::optional<QByteArray> found = reader(bytes);
    if (!found)
        return false;
    value = *found;
    return true;
}

bool CToolDataFile::readTag(const char* tag, QByteArray& value)
{
    return readWith([tag](const QByteArray& bytes) { return qrl::tooldata::readValue(bytes, tag); }, value);
}

bool CToolDataFile::ReadCallMacro(QByteArray& value)
{
    return readTag(qrl::tooldata::kCallMacroTag, value);
}

bool CToolDataFile::ReadCallParam(QByteArray& value)
{
    return readTag(qrl::tooldata::kCallParamTag, value);
}

bool CToolDataFile::ReadCallRepeat(QByteArray& value)
{
    return readTag(qrl::tooldata::kCallRepeatTag, value);
}

bool CToolDataFile::ReadMacroFile(QByteArray& path)
{
    return readTag(qrl::tooldata::kMacroFileTag, path);
}

bool CToolDataFile::NextCustomMacroName(qint64& offset, QByteArray& name)
{
    QByteArray bytes;
    return load(bytes) && qrl::tooldata::nextCustomMacroName(bytes, offset, name);
}

bool CToolDataFile::ReadCustomMacro(const QByteArray& name, QByteArray& text)
{
    return readWith([&name](const QByteArray& bytes) { return qrl::tooldata::readCustomMacro(bytes, name); },
                    text);
}

bool CToolDataFile::Write(const ToolDataImage& image)
{
    return commit(image.bytes());
}

bool CToolDataFile::commit(const QByteArray& bytes)
{
    const QString& path = m_location.writePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!qrl::toolfile::writeFile(path, bytes))
        return false;
    m_location.readBesideProgram = m_location.readBesideProgram && path == m_location.readPath;
    m_location.readPath = path;
    // A new file takes the umask's mode, which may let the group write (umask 002): it would not
    // be read beside the program again, so the group and others lose the right to write it.
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    if (m_location.readBesideProgram && ::stat(name.constData(), &st) == 0 &&
        (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        ::chmod(name.constData(), st.st_mode & ~mode_t{S_IWGRP | S_IWOTH} & 07777);
    return true;
}
