#include "RecordingSpooler.h"

namespace qrl {

namespace {

SpoolStatus unavailable()
{
    return SpoolStatus::failure(SpoolError::Unavailable, "the test spooler is unavailable");
}

class RecordedJob : public SpoolJob {
public:
    RecordedJob(RecordingSpooler::Job& job, const RecordingSpooler::Faults& faults)
        : m_job(job), m_faults(faults)
    {
    }
    ~RecordedJob() override
    {
        if (m_job.state != RecordingSpooler::JobState::Finished)
            m_job.state = RecordingSpooler::JobState::Aborted;
    }

    SpoolStatus write(const void* data, std::size_t size) override
    {
        if (m_job.state != RecordingSpooler::JobState::Open)
            return SpoolStatus::failure(SpoolError::JobClosed, "the job is no longer open");
        if (++m_writes == m_faults.write) {
            m_job.state = RecordingSpooler::JobState::Broken;
            return SpoolStatus::failure(SpoolError::WriteFailed, "write refused by the test spooler");
        }
        m_job.bytes.append(static_cast<const char*>(data), size);
        m_job.writes.push_back(size);
        return {};
    }

    SpoolStatus finish() override
    {
        if (m_job.state != RecordingSpooler::JobState::Open)
            return SpoolStatus::failure(SpoolError::JobClosed, "the job is no longer open");
        if (m_faults.finish) {
            m_job.state = RecordingSpooler::JobState::Aborted;
            return SpoolStatus::failure(SpoolError::FinishFailed, "end refused by the test spooler");
        }
        m_job.state = RecordingSpooler::JobState::Finished;
        return {};
    }

    void abort() override
    {
        if (m_job.state != RecordingSpooler::JobState::Finished)
            m_job.state = RecordingSpooler::JobState::Aborted;
    }

    qrl::JobOutcome follow() override
    {
        if (m_job.state != RecordingSpooler::JobState::Finished)
            return {JobOutcome::Fate::Failed, "the job did not reach the test spooler"};
        m_job.followed = true;
        return m_faults.outcome;
    }

private:
    RecordingSpooler::Job& m_job;
    RecordingSpooler::Faults m_faults;
    int m_writes = 0;
};

} // namespace

void RecordingSpooler::addPrinter(const std::string& name, const std::string& port, bool stopped,
                                  const std::string& state)
{
    m_printers.push_back({name, port, stopped, true, state});
}

SpoolStatus RecordingSpooler::printers(std::vector<std::string>& names)
{
    names.clear();
    if (m_unavailable)
        return unavailable();
    for (const PrinterInfo& p : m_printers)
        names.push_back(p.name);
    return {};
}

std::string RecordingSpooler::defaultPrinter()
{
    return m_unavailable ? std::string() : m_default;
}

SpoolStatus RecordingSpooler::printer(const std::string& name, PrinterInfo& info)
{
    ++m_lookups;
    info = {};
    if (m_unavailable)
        return unavailable();
    for (const PrinterInfo& p : m_printers) {
        if (p.name == name) {
            info = p;
            return {};
        }
    }
    return SpoolStatus::failure(SpoolError::NoSuchPrinter, "no printer " + name);
}

SpoolStatus RecordingSpooler::ports(std::vector<PortInfo>& ports)
{
    ports.clear();
    if (m_unavailable)
        return unavailable();
    ports = m_ports;
    return {};
}

std::unique_ptr<SpoolJob> RecordingSpooler::openJob(const std::string& printerName,
                                                    const std::string& document, SpoolStatus& status)
{
    status = checkPrinterForJob(printerName);
    if (!status.ok())
        return nullptr;
    if (m_faults.open) {
        status = SpoolStatus::failure(SpoolError::OpenFailed, "job refused by the test spooler");
        return nullptr;
    }
    if (m_faults.start) {
        status = SpoolStatus::failure(SpoolError::StartFailed, "document refused by the test spooler");
        return nullptr;
    }
    m_jobs.push_back({printerName, document, {}, {}, JobState::Open, false});
    return std::make_unique<RecordedJob>(m_jobs.back(), m_faults);
}

} // namespace qrl
