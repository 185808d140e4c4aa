#include "CupsSpooler.h"

#include "DeviceUri.h"

#include <cups/cups.h>

#include <algorithm>

namespace qrl {

namespace {

// How long a connection to the scheduler may take before the spooler counts as unavailable.
constexpr int kConnectTimeoutMs = 10000;
constexpr const char* kStateStopped = "5"; // IPP printer-state "stopped"

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpCloser>;

struct DestsFree {
    int count = 0;
    cups_dest_t* dests = nullptr;
    ~DestsFree() { cupsFreeDests(count, dests); }
};

std::string lastError(const std::string& what)
{
    const char* text = cupsLastErrorString();
    return what + ": " + (text && *text ? text : "no reason given");
}

Connection connectTo(const std::string& server, SpoolStatus& status)
{
    const std::string host = server.empty() ? std::string(cupsServer()) : server;
    http_t* http = httpConnect2(host.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kConnectTimeoutMs, nullptr);
    if (!http)
        status = SpoolStatus::failure(SpoolError::Unavailable, "cannot connect to the print server " + host);
    return Connection(http);
}

std::string option(const cups_dest_t& dest, const char* name)
{
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

// All destinations, instances included; the status tells an empty list from a failed request.
SpoolStatus fetchDests(const std::string& server, DestsFree& list)
{
    SpoolStatus status;
    Connection http = connectTo(server, status);
    if (!http)
        return status;
    list.count = cupsGetDests2(http.get(), &list.dests);
    // A scheduler without printers answers the request with "not found".
    if (list.count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        return SpoolStatus::failure(SpoolError::Unavailable, lastError("cannot list the printers"));
    return status;
}

// A write to a scheduler that went away fails with EPIPE instead of ending the program: libcups
// sets SIGPIPE to be ignored when it initialises its network layer.
class CupsJob : public SpoolJob {
public:
    CupsJob(std::string server, Connection http, std::string printer, int id)
        : m_server(std::move(server)), m_http(std::move(http)), m_printer(std::move(printer)), m_id(id)
    {
    }
    ~CupsJob() override
    {
        if (m_state != State::Finished)
            abort();
    }

    http_t* connection() const { return m_http.get(); }

    SpoolStatus write(const void* data, std::size_t size) override
    {
        if (m_state != State::Open)
            return SpoolStatus::failure(SpoolError::JobClosed, "the job is no longer open");
        if (size == 0)
            return {};
        if (cupsWriteRequestData(m_http.get(), static_cast<const char*>(data), size) !=
            HTTP_STATUS_CONTINUE) {
            m_state = State::Broken;
            return SpoolStatus::failure(SpoolError::WriteFailed, lastError("cannot send to " + m_printer));
        }
        return {};
    }

    SpoolStatus finish() override
    {
        if (m_state != State::Open)
            return SpoolStatus::failure(SpoolError::JobClosed, "the job is no longer open");
        if (cupsFinishDocument(m_http.get(), m_printer.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
            m_state = State::Broken;
            const std::string why = lastError("the job on " + m_printer + " was not confirmed");
            abort();
            return SpoolStatus::failure(SpoolError::FinishFailed, why);
        }
        m_state = State::Finished;
        m_http.reset();
        return {};
    }

    void abort() override
    {
        if (m_state == State::Finished || m_state == State::Aborted)
            return;
        // Dropping the streaming connection leaves the document unfinished; the cancel on a fresh
        // connection makes sure the scheduler does not keep the job waiting for it.
        m_http.reset();
        SpoolStatus ignored;
        if (Connection http = connectTo(m_server, ignored))
            cupsCancelJob2(http.get(), m_printer.c_str(), m_id, 0);
        m_state = State::Aborted;
    }

private:
    enum class State { Open, Broken, Finished, Aborted };

    std::string m_server;
    Connection m_http;
    std::string m_printer;
    int m_id;
    State m_state = State::Open;
};

} // namespace

CupsSpooler::CupsSpooler(std::string server) : m_server(std::move(server))
{
}

SpoolStatus CupsSpooler::printers(std::vector<std::string>& names)
{
    names.clear();
    DestsFree list;
    const SpoolStatus status = fetchDests(m_server, list);
    for (int i = 0; status.ok() && i < list.count; ++i) {
        if (!list.dests[i].instance)
            names.emplace_back(list.dests[i].name);
    }
    return status;
}

std::string CupsSpooler::defaultPrinter()
{
    DestsFree list;
    if (!fetchDests(m_server, list).ok())
        return {};
    for (int i = 0; i < list.count; ++i) {
        if (list.dests[i].is_default)
            return list.dests[i].name;
    }
    return {};
}

SpoolStatus CupsSpooler::printer(const std::string& name, PrinterInfo& info)
{
    info = {};
    if (name.empty())
        return SpoolStatus::failure(SpoolError::NoSuchPrinter, "no printer named");
    SpoolStatus status;
    Connection http = connectTo(m_server, status);
    if (!http)
        return status;
    cups_dest_t* dest = cupsGetNamedDest(http.get(), name.c_str(), nullptr);
    if (!dest) {
        const SpoolError error = cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? SpoolError::NoSuchPrinter
                                                                               : SpoolError::Unavailable;
        return SpoolStatus::failure(error, lastError("cannot find the printer " + name));
    }
    info.name = dest->name;
    info.port = displayDeviceUri(option(*dest, "device-uri"));
    info.stopped = option(*dest, "printer-state") == kStateStopped;
    cupsFreeDests(1, dest);
    return status;
}

SpoolStatus CupsSpooler::ports(std::vector<PortInfo>& ports)
{
    ports.clear();
    DestsFree list;
    const SpoolStatus status = fetchDests(m_server, list);
    for (int i = 0; status.ok() && i < list.count; ++i) {
        const std::string uri = displayDeviceUri(option(list.dests[i], "device-uri"));
        const bool known =
            std::any_of(ports.begin(), ports.end(), [&](const PortInfo& p) { return p.name == uri; });
        if (!uri.empty() && !known)
            ports.push_back({uri, true, false});
    }
    return status;
}

std::unique_ptr<SpoolJob> CupsSpooler::openJob(const std::string& printerName, const std::string& document,
                                               SpoolStatus& status)
{
    status = checkPrinterForJob(printerName);
    if (!status.ok())
        return nullptr;
    Connection http = connectTo(m_server, status);
    if (!http)
        return nullptr;
    const int id = cupsCreateJob(http.get(), printerName.c_str(), document.c_str(), 0, nullptr);
    if (id <= 0) {
        status = SpoolStatus::failure(SpoolError::OpenFailed,
                                      lastError("the printer " + printerName + " refused the job"));
        return nullptr;
    }
    auto job = std::make_unique<CupsJob>(m_server, std::move(http), printerName, id);
    // The job holds the connection now; on failure its destructor cancels the job.
    if (cupsStartDocument(job->connection(), printerName.c_str(), id, document.c_str(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        status = SpoolStatus::failure(SpoolError::StartFailed,
                                      lastError("cannot start the document on " + printerName));
        return nullptr;
    }
    status = {};
    return job;
}

} // namespace qrl
