#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace qrl::test {

// A private CUPS scheduler for tests that send real jobs: its own root folder (a mkdtemp folder
// that user lp can traverse), its own local socket, and raw queues whose device is a capture
// backend that appends every job's bytes to a file of its own. Nothing of the system's printing
// set-up is touched. Needs root (the scheduler switches to user lp for its backends).
//
//     PrivateCups cups;
//     if (!cups.start()) GTEST_SKIP() << cups.reason();
//     cups.queue("q1");
//     ... send to "q1" through CupsSpooler(cups.server()) ...
//     cups.waitIdle("q1");  then  cups.captured("q1")
class PrivateCups {
public:
    PrivateCups() = default;
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts the scheduler and waits (bounded) until it answers. False with the reason in
    // reason() when it cannot run here.
    bool start();
    // Stops the scheduler by its pid and removes the root folder. Harmless when not running.
    void stop();
    bool running() const { return m_pid > 0; }
    // Why the last step failed.
    const std::string& reason() const { return m_reason; }
    // The scheduler's address (its socket path), for CupsSpooler and CUPS_SERVER.
    const std::string& server() const { return m_socket; }

    // Adds an enabled, accepting raw queue printing into its capture file.
    bool queue(const std::string& name);
    // Adds an enabled raw queue with the device URI given (printing to it is not expected).
    bool queue(const std::string& name, const std::string& deviceUri);
    // Adds an enabled queue with a driver, described by the PPD text given, printing into its
    // capture file.
    bool queueWithDriver(const std::string& name, const std::string& ppd);
    bool setDefault(const std::string& name);
    // Stops the queue (cupsdisable): it still accepts jobs but holds them.
    bool disable(const std::string& name);
    // Makes the queue refuse new jobs (cupsreject) with `reason`.
    bool reject(const std::string& name, const std::string& reason);
    // Adds a raw queue whose device fails every job with the message kDeviceFailure. With
    // `abortJob` the scheduler aborts the job; otherwise it stops the queue and keeps the job.
    bool failingQueue(const std::string& name, bool abortJob);
    static constexpr const char* kDeviceFailure = "the test device is out of order";
    // Starts a driverless (IPP Everywhere) printer on a loopback port, taking only PDF and PWG
    // raster, and adds a driverless queue `name` for it. The printer gets a private message bus
    // (it will not start without one; it announces nothing). False with the reason when the
    // printer program is not installed.
    bool everywhereQueue(const std::string& name);
    // Waits until the queue holds no pending, held or processing job; false on time-out.
    bool waitIdle(const std::string& name, int timeoutMs = 20000);
    // The bytes the queue's device received so far.
    std::string captured(const std::string& name) const;
    // The scheduler's error log, for the output of failed tests.
    std::string errorLog() const;

private:
    bool fail(const std::string& why);
    bool writeConfiguration();
    bool waitForSocket();
    bool runTool(const std::vector<std::string>& argv);

    std::string m_root;
    std::string m_socket;
    std::string m_reason;
    pid_t m_pid = -1;
    pid_t m_printerPid = -1;
    pid_t m_busPid = -1;
};

} // namespace qrl::test
