#pragma once

#include "Spooler.h"

#include <deque>
#include <functional>

namespace qrl {

// A spooler for tests: printers, ports and the default are set up in code, every job is recorded
// with its bytes, its write sizes and how it ended, and a job can be made to fail at any stage.
// Behaves like the system's spooler where tests rely on it: an unknown printer, a stopped printer
// and an unreachable spooler fail the same ways.
class RecordingSpooler : public Spooler {
public:
    enum class JobState { Open, Broken, Finished, Aborted };
    struct Job {
        std::string printer;
        std::string document;
        std::string bytes;
        std::vector<std::size_t> writes;
        JobState state = JobState::Open;
        bool followed = false;
    };
    // Failures of the jobs opened from now on. `write` is the 1-based number of the write that
    // fails within a job (0: none); `outcome` is what following a finished job tells.
    struct Faults {
        bool open = false;
        bool start = false;
        int write = 0;
        bool finish = false;
        JobOutcome outcome = {};
    };

    void addPrinter(const std::string& name, const std::string& port = {}, bool stopped = false,
                    const std::string& state = {});
    void setDefaultPrinter(const std::string& name) { m_default = name; }
    void addPort(const PortInfo& port) { m_ports.push_back(port); }
    // While set, every call fails as an unreachable spooler does.
    void setUnavailable(bool unavailable) { m_unavailable = unavailable; }
    Faults& faults() { return m_faults; }

    // Every job opened so far, in order; a job stays recorded after it ends.
    const std::deque<Job>& jobs() const { return m_jobs; }
    // The number of printer look-ups (printer() and openJob()).
    int lookups() const { return m_lookups; }

    SpoolStatus printers(std::vector<std::string>& names) override;
    std::string defaultPrinter() override;
    SpoolStatus printer(const std::string& name, PrinterInfo& info) override;
    SpoolStatus ports(std::vector<PortInfo>& ports) override;
    std::unique_ptr<SpoolJob> openJob(const std::string& printer, const std::string& document,
                                      SpoolStatus& status) override;

private:
    std::vector<PrinterInfo> m_printers;
    std::vector<PortInfo> m_ports;
    std::string m_default;
    bool m_unavailable = false;
    Faults m_faults;
    std::deque<Job> m_jobs;
    int m_lookups = 0;
};

// A job that passes every call on to another, first calling the hook of the call when it is set:
// for tests that look at the world while a job is written or followed.
class WatchedJob : public SpoolJob {
public:
    explicit WatchedJob(std::unique_ptr<SpoolJob> job) : m_job(std::move(job)) {}

    std::function<void()> beforeWrite;
    std::function<void()> beforeFollow;

    SpoolStatus write(const void* data, std::size_t size) override
    {
        if (beforeWrite)
            beforeWrite();
        return m_job->write(data, size);
    }
    SpoolStatus finish() override { return m_job->finish(); }
    void abort() override { m_job->abort(); }
    JobOutcome follow() override
    {
        if (beforeFollow)
            beforeFollow();
        return m_job->follow();
    }

private:
    std::unique_ptr<SpoolJob> m_job;
};

} // namespace qrl
