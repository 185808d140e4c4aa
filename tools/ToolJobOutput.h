#pragma once

#include "Spooler.h"
#include "WholeFile.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Where the printer tools send their jobs: RAW jobs of one printer through the spooler, or, for
// the pseudo-printer "FILE:", one file that receives the bytes of every job in order, exactly as
// the printer would have received them, and is written whole when the send ends (through the one
// writer: a device or pipe takes the bytes in place). Until the first job begins nothing is made
// at the path.
class ToolJobOutput {
public:
    // Jobs for `printer` through `spooler` (not owned).
    ToolJobOutput(qrl::Spooler& spooler, const QString& printer);
    // The jobs' bytes for the file at `path`, written by commit().
    explicit ToolJobOutput(const QString& path);
    ~ToolJobOutput();
    ToolJobOutput(const ToolJobOutput&) = delete;
    ToolJobOutput& operator=(const ToolJobOutput&) = delete;

    bool toFile() const { return !m_path.isEmpty(); }
    bool isOpen() const { return m_open; }
    // Opens a job named `document`; false when the spooler refuses it or the file cannot be made.
    bool begin(const QString& document);
    // Writes into the open job; after a failure the output is broken and every later call fails.
    bool write(const QByteArray& bytes);
    bool write(const char* data, qint64 size);
    // Ends the open job and follows it until the spooler hands it to the printer or fails it:
    // true unless it was not confirmed or failed; a job still waiting in its queue is true with
    // waitingNote() set.
    bool end();
    // Abandons the open job (nothing of it prints) and, for a file, everything written so far;
    // nothing more can be sent through the output.
    void abort();
    // For a file: writes it whole, or shows why it was not written and leaves the previous content.
    // For a printer: true unless a job failed.
    bool commit();

    const qrl::SpoolStatus& lastError() const { return m_lastError; }
    // The note on the last job that still waits in its queue; "" when none does.
    const QString& waitingNote() const { return m_waitingNote; }

private:
    bool fail(qrl::SpoolStatus status);
    // Fails after showing why the file was not written.
    bool fileFailure(qrl::SpoolError error);

    qrl::Spooler* m_spooler = nullptr;
    std::string m_printer;
    std::unique_ptr<qrl::SpoolJob> m_job;
    QString m_path;
    std::unique_ptr<qrl::WholeFileWriter> m_file;
    bool m_open = false;
    bool m_broken = false;
    qrl::SpoolStatus m_lastError;
    QString m_waitingNote;
};
