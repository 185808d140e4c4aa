#pragma once

// The print spooler as the program sees it: printers, their ports, and RAW jobs of printer
// commands. No toolkit types: the build, the printer tools and the font downloader all send
// through this interface, and tests put a recording double in its place.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qrl {

// The block in which a file's bytes move into a job or a command file: large enough that a copy
// costs one or two calls per megabyte, small enough to stay in the processor's cache between the
// read and the write. No byte of any output depends on it.
constexpr std::size_t kSendBlockSize = std::size_t{1} << 20;

// Why a spooler call failed; each stage of a job has its own value so callers can tell a refused
// job from a broken write or an unconfirmed end.
enum class SpoolError {
    None,
    Unavailable,    // the spooler cannot be reached
    NoSuchPrinter,  // no printer of that name
    PrinterStopped, // the printer exists but is stopped (disabled): a job would only wait there
    OpenFailed,     // the spooler refused to create the job
    StartFailed,    // the job exists but its document could not be started
    WriteFailed,    // a block did not reach the spooler
    FinishFailed,   // the spooler did not confirm the end of the document
    JobClosed,      // write or finish on a job that was already finished, aborted or broken
    JobFailed,      // the spooler took the job, then aborted or cancelled it, or the printer refused its data
};

// The result of a spooler call: an error value and a text for messages and logs (empty on success).
struct SpoolStatus {
    SpoolError error = SpoolError::None;
    std::string text;

    bool ok() const { return error == SpoolError::None; }
    static SpoolStatus failure(SpoolError error, std::string text) { return {error, std::move(text)}; }
};

// A short English name of an error value, for texts and test output.
const char* spoolErrorName(SpoolError error);

// One printer as the spooler reports it. `port` is the device it prints to, fit to be shown
// (credentials removed).
struct PrinterInfo {
    std::string name;
    std::string port;
    bool stopped = false;
    bool accepting = true;
    // What the spooler says of the printer's state (its state message and reasons); empty when
    // it says nothing.
    std::string state;
};

// What became of a job after its last byte, as far as the spooler could tell while it was
// followed: handed to the printer (or printing), still waiting in its queue, or failed.
struct JobOutcome {
    enum class Fate { Taken, Waiting, Failed };
    Fate fate = Fate::Taken;
    // The spooler's reason for a failed job; the queue's state for a waiting one.
    std::string text;
};

// How long a finished job is followed before it counts as handed over or waiting.
constexpr std::chrono::milliseconds kJobFollowLimit{10000};

// One port (output device) of the spooler.
struct PortInfo {
    std::string name;
    bool writable = true;
    bool readable = false;
};

// One open RAW job. Data goes in blocks of any size, in order; the job prints only after a
// successful finish(). A job that is destroyed unfinished is aborted, so nothing half-sent prints.
class SpoolJob {
public:
    virtual ~SpoolJob() = default;
    SpoolJob() = default;
    SpoolJob(const SpoolJob&) = delete;
    SpoolJob& operator=(const SpoolJob&) = delete;

    // Sends `size` bytes. After a failure the job is broken: abort it.
    virtual SpoolStatus write(const void* data, std::size_t size) = 0;
    // Ends the document and asks the spooler to confirm it; a job not confirmed is a failure
    // (and is cancelled, so it cannot print part of the data).
    virtual SpoolStatus finish() = 0;
    // Cancels the job; nothing of it prints. Harmless on a job already ended.
    virtual void abort() = 0;
    // After a successful finish(): follows the job until the spooler has handed it to the
    // printer or failed it, for at most the spooler's follow limit. A job that never reached the
    // spooler counts as Failed.
    virtual JobOutcome follow() = 0;
};

// The status a caller reports for an outcome: success for a taken or waiting job, JobFailed with
// the spooler's reason for a failed one.
SpoolStatus outcomeStatus(const JobOutcome& outcome);

class Spooler {
public:
    virtual ~Spooler() = default;

    // The names of all printers, in the spooler's order.
    virtual SpoolStatus printers(std::vector<std::string>& names) = 0;
    // The name of the default printer; empty when there is none or the spooler cannot be asked.
    virtual std::string defaultPrinter() = 0;
    // The record of printer `name`: NoSuchPrinter or Unavailable when it cannot be had.
    virtual SpoolStatus printer(const std::string& name, PrinterInfo& info) = 0;
    // The output ports of the spooler.
    virtual SpoolStatus ports(std::vector<PortInfo>& ports) = 0;
    // Opens a RAW job named `document` on `printer`; nullptr with the reason in `status` on
    // failure (no job is left behind then).
    virtual std::unique_ptr<SpoolJob> openJob(const std::string& printer, const std::string& document,
                                              SpoolStatus& status) = 0;

    // One job holding `bytes`: open, write in blocks, finish, follow; any failure aborts the job,
    // and a job the spooler fails afterwards is a failure too.
    SpoolStatus submit(const std::string& printer, std::string_view bytes, const std::string& jobName);

protected:
    // The look-up before a job is opened: the printer must exist and must not be stopped.
    SpoolStatus checkPrinterForJob(const std::string& name);
};

// The spooler in use: the system's (CUPS) until another is installed.
Spooler& spooler();
// Installs `spooler` (not owned); nullptr goes back to the system's. Returns the previous one.
Spooler* setSpooler(Spooler* spooler);

} // namespace qrl
