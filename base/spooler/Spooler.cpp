#include "Spooler.h"

#include "CupsSpooler.h"
#include "Replaceable.h"

#include <algorithm>

namespace qrl {

namespace {

// Blocks of this size keep a large submit from reaching the spooler as one huge write.
constexpr std::size_t kSubmitBlock = 64 * 1024;

Replaceable<Spooler> current;

} // namespace

const char* spoolErrorName(SpoolError error)
{
    switch (error) {
    case SpoolError::None:
        return "no error";
    case SpoolError::Unavailable:
        return "spooler unavailable";
    case SpoolError::NoSuchPrinter:
        return "no such printer";
    case SpoolError::PrinterStopped:
        return "printer stopped";
    case SpoolError::OpenFailed:
        return "job refused";
    case SpoolError::StartFailed:
        return "document not started";
    case SpoolError::WriteFailed:
        return "write failed";
    case SpoolError::FinishFailed:
        return "job not confirmed";
    case SpoolError::JobClosed:
        return "job already closed";
    case SpoolError::JobFailed:
        return "job failed";
    }
    return "unknown error";
}

SpoolStatus Spooler::submit(const std::string& printer, std::string_view bytes, const std::string& jobName)
{
    SpoolStatus status;
    std::unique_ptr<SpoolJob> job = openJob(printer, jobName, status);
    if (!job)
        return status;
    for (std::size_t at = 0; at < bytes.size(); at += kSubmitBlock) {
        const std::size_t n = std::min(kSubmitBlock, bytes.size() - at);
        status = job->write(bytes.data() + at, n);
        if (!status.ok()) {
            job->abort();
            return status;
        }
    }
    status = job->finish();
    if (!status.ok()) {
        job->abort();
        return status;
    }
    return outcomeStatus(job->follow());
}

SpoolStatus outcomeStatus(const JobOutcome& outcome)
{
    if (outcome.fate == JobOutcome::Fate::Failed)
        return SpoolStatus::failure(SpoolError::JobFailed, outcome.text);
    return {};
}

SpoolStatus Spooler::checkPrinterForJob(const std::string& name)
{
    PrinterInfo info;
    SpoolStatus status = printer(name, info);
    // A stopped queue would accept the job and hold it, so the data would be reported as sent
    // while nothing reaches the printer.
    if (status.ok() && info.stopped)
        status = SpoolStatus::failure(SpoolError::PrinterStopped,
                                      "the printer " + name + " is stopped" +
                                          (info.state.empty() ? std::string() : ": " + info.state));
    return status;
}

Spooler& spooler()
{
    if (Spooler* installed = current.get())
        return *installed;
    static CupsSpooler system;
    return system;
}

Spooler* setSpooler(Spooler* next)
{
    return current.replace(next);
}

} // namespace qrl
