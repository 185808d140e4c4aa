#include "DeliverySink.h"

#include "AppContext.h"
#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildSessionTextIds.h"
#include "FileSave.h"
#include "JobOutcomeText.h"
#include "PrintingTextIds.h"
#include "StringTable.h"
#include "UserInterface.h"

namespace qrl::build {

SpoolDeliverySink::SpoolDeliverySink(qrl::Spooler& spooler, const QString& printer)
    : m_spooler(spooler), m_printer(printer)
{
}

SpoolDeliverySink::~SpoolDeliverySink()
{
    abort();
}

bool SpoolDeliverySink::open()
{
    qrl::SpoolStatus status;
    m_job = m_spooler.openJob(m_printer.toStdString(), kDocumentName, status);
    if (m_job)
        return true;
    logFailure(status);
    qrl::ui().messageWithDetail(qrl::text(ids::kFailedToOpenPrinter), QString::fromStdString(status.text),
                                qrl::Buttons::Ok, qrl::Icon::Warning);
    return false;
}

bool SpoolDeliverySink::write(const char* data, qint64 size)
{
    if (!m_job)
        return false;
    const qrl::SpoolStatus status = m_job->write(data, static_cast<std::size_t>(size));
    if (status.ok())
        return true;
    logFailure(status);
    return false;
}

bool SpoolDeliverySink::finish()
{
    if (!m_job)
        return false;
    // The finished job stays for follow(); aborting it then changes nothing.
    const qrl::SpoolStatus status = m_job->finish();
    if (status.ok())
        return true;
    m_job.reset();
    logFailure(status);
    return false;
}

bool SpoolDeliverySink::follow(BuildMonitor& monitor)
{
    if (!m_job)
        return false;
    monitor.setStatusText(qrl::text(ids::kStatusWaitingForSpooler));
    const qrl::JobOutcome outcome = m_job->follow();
    m_job.reset();
    const qrl::SpoolStatus status = qrl::outcomeStatus(outcome);
    if (!status.ok()) {
        logFailure(status);
        showWriteFailure();
        return false;
    }
    monitor.setResultNote(qrl::printing::waitingNote(outcome));
    return true;
}

void SpoolDeliverySink::abort()
{
    if (m_job)
        m_job->abort();
    m_job.reset();
}

void SpoolDeliverySink::showWriteFailure()
{
    qrl::ui().messageWithDetail(qrl::text(ids::kFailedToBuild), QString::fromStdString(m_failure.text),
                                qrl::Buttons::Ok, qrl::Icon::Warning);
}

void SpoolDeliverySink::logFailure(const qrl::SpoolStatus& status)
{
    m_failure = status;
    qrl::context().logText(
        1, QStringLiteral("Build: printer %1: %2\r\n").arg(m_printer, QString::fromStdString(status.text)));
}

FileDeliverySink::FileDeliverySink(const QString& path) : m_path(path)
{
}

bool FileDeliverySink::open()
{
    if (m_writer.open(qrl::nativePath(m_path)))
        return true;
    showWriteFailure();
    return false;
}

bool FileDeliverySink::write(const char* data, qint64 size)
{
    return size >= 0 && m_writer.write(data, static_cast<std::size_t>(size));
}

bool FileDeliverySink::finish()
{
    return m_writer.commit();
}

void FileDeliverySink::abort()
{
    m_writer.abandon();
}

void FileDeliverySink::showWriteFailure()
{
    ShowWriteFailure(m_writer.error(), m_path);
}

} // namespace qrl::build
