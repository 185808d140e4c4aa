#pragma once

#include "CcpyJob.h"

#include <QByteArray>
#include <QString>

// Writes the CCPY command files of one creation from a job. The enable file is assembled from one
// page macro file per page ("S%d.txt") and the command part ("ccpy.tmp"), scratch files in a
// private directory of this writer that it removes when it is done. Command files are written
// whole through the one writer: a failed write leaves no part of a file and any earlier file at
// that path as it was. Every failure shows a message that names the cause and the path, and
// answers false.
class CcpyWriter {
public:
    explicit CcpyWriter(CcpyJob job);
    ~CcpyWriter();
    CcpyWriter(const CcpyWriter&) = delete;
    CcpyWriter& operator=(const CcpyWriter&) = delete;

    const CcpyJob& job() const { return m_job; }
    QString enablePath() const { return m_enablePath; }
    QString disablePath() const { return m_disablePath; }
    void setEnablePath(const QString& path) { m_enablePath = path; }

    // The save dialog of the enable file over the proposed name in `directory`; false on cancel.
    bool askEnablePath(const QString& directory);

    bool WritePageMacro(int page);
    bool WriteAllPageMacros();
    bool WriteCcpyCommand();
    // Appends a scratch part to the enable file's bytes; the page macro file is deleted after.
    bool AppendPageMacro(int page, QByteArray& target);
    bool AppendCcpyCommand(QByteArray& target);
    bool WriteCcpyEnableFile();
    // The page macros, the command part and the enable file at enablePath(); refuses, with
    // message kNameNotSendable, an overlay name that cannot stand in a CALL command, before anything is
    // written.
    bool BuildCcpyEnableFile();
    // Asks for the disable file's path (proposed in `directory`) and writes it. False, with the
    // disable path cleared, on cancel, on a failed write and for the enable file's own path.
    bool WriteCcpyDisableFile(const QString& directory);

    // The scratch directory ("" until the first scratch file), for tests.
    QString scratchDirectory() const { return m_scratchDir; }

private:
    bool ensureScratchDirectory();
    QString pageMacroPath(int page) const;
    QString commandPath() const;
    void removeScratchDirectory();

    CcpyJob m_job;
    QString m_enablePath;
    QString m_disablePath;
    QString m_scratchDir;
};
