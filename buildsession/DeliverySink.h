#pragma once

#include "Spooler.h"
#include "WholeFile.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace qrl::build {

class BuildMonitor;

// Where the command stream of a build goes: one RAW spooler job or one command file. Bytes go
// in order; nothing counts as delivered before finish() succeeds, and abort() leaves nothing
// behind (no job that prints, no partial file).
class DeliverySink {
public:
    virtual ~DeliverySink() = default;

    // Opens the job or the file; false after its message.
    virtual bool open() = 0;
    // False when the bytes did not all arrive; the sink is broken then and must be aborted.
    virtual bool write(const char* data, qint64 size) = 0;
    // Ends the job or commits the file; false when that is not confirmed.
    virtual bool finish() = 0;
    // After a successful finish: waits, as the monitor shows, until what was delivered is taken
    // over. False after its message when it was refused after all; a note for the result box goes
    // to the monitor.
    virtual bool follow(BuildMonitor&) { return true; }
    virtual void abort() = 0;
    // Shows the message of a failed write or finish.
    virtual void showWriteFailure() = 0;

    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
};

// A RAW job "Quorlyn Build Document" on a printer of the spooler (not owned).
class SpoolDeliverySink : public DeliverySink {
public:
    static constexpr const char* kDocumentName = "Quorlyn Build Document";

    SpoolDeliverySink(qrl::Spooler& spooler, const QString& printer);
    ~SpoolDeliverySink() override;

    bool open() override;
    bool write(const char* data, qint64 size) override;
    bool finish() override;
    // Follows the job until the spooler hands it to the printer or fails it: a failed job is a
    // failed build with the spooler's reason; one still waiting in its queue is delivered, with
    // the queue's state as the result note.
    bool follow(BuildMonitor& monitor) override;
    void abort() override;
    // "Failed to build." with the spooler's reason beneath it.
    void showWriteFailure() override;
    using DeliverySink::write;

private:
    void logFailure(const qrl::SpoolStatus& status);

    qrl::Spooler& m_spooler;
    qrl::SpoolStatus m_failure;
    QString m_printer;
    std::unique_ptr<qrl::SpoolJob> m_job;
};

// The command file at `path`, written through the one file writer: a regular file (or a new one)
// replaces the earlier file only when complete, a link is written through, a device or a pipe is
// written in place. Abort leaves the earlier file as it was and nothing beside it.
class FileDeliverySink : public DeliverySink {
public:
    explicit FileDeliverySink(const QString& path);

    bool open() override;
    bool write(const char* data, qint64 size) override;
    bool finish() override;
    void abort() override;
    // Names the cause of the failure and the file.
    void showWriteFailure() override;
    using DeliverySink::write;

private:
    QString m_path;
    qrl::WholeFileWriter m_writer;
};

} // namespace qrl::build
