#include "CupsSpooler.h"

#include "DeviceUri.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <thread>

namespace qrl {

namespace {

// How long a connection to the scheduler may take before the spooler counts as unavailable.
constexpr int kConnectTimeoutMs = 10000;
// What the scheduler's IPP sender says when the printer refuses a job's data. The scheduler then
// marks the job completed with the reasons of a job that printed (seen with CUPS 2.4), so this
// text, in the job's own language, is the only sign; later versions add a reason of their own.
constexpr std::string_view kDocumentRefused = "Unable to add document to print job.";

// How often a finished job's state is asked for while it is followed.
constexpr std::chrono::milliseconds kFollowPoll{100};

// Reasons of a completed job that say the printer did not take its data: the job ended, but
// nothing (or not all of it) was printed.
constexpr std::array<std::string_view, 11> kDataNotTaken{
    "document-format-error",   "document-unprintable-error",  "job-data-insufficient",
    "document-access-error",   "unsupported-document-format", "unsupported-compression",
    "compression-error",       "document-password-error",     "document-permission-error",
    "document-security-error", "submission-interrupted"};

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

struct IppFree {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppFree>;

// The scheduler's own name of a printer ("/printers/NAME") or a job ("/jobs/ID").
std::string resourceUri(const std::string& resource)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, resource.c_str());
    return uri;
}

// The values of a keyword attribute, "none" left out.
std::vector<std::string> keywords(ipp_t* response, const char* name)
{
    std::vector<std::string> values;
    ipp_attribute_t* attr = ippFindAttribute(response, name, IPP_TAG_KEYWORD);
    for (int i = 0; attr && i < ippGetCount(attr); ++i) {
        const char* value = ippGetString(attr, i, nullptr);
        if (value && std::string_view(value) != "none")
            values.emplace_back(value);
    }
    return values;
}

std::string text(ipp_t* response, const char* name)
{
    ipp_attribute_t* attr = ippFindAttribute(response, name, IPP_TAG_TEXT);
    const char* value = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    return value ? value : "";
}

std::string joined(const std::vector<std::string>& values)
{
    std::string all;
    for (const std::string& v : values)
        all += (all.empty() ? "" : ", ") + v;
    return all;
}

// "message (reason, reason)", either part left out when the spooler gives none.
std::string describe(const std::string& message, const std::vector<std::string>& reasons)
{
    if (reasons.empty())
        return message;
    return message.empty() ? joined(reasons) : message + " (" + joined(reasons) + ")";
}

IppMessage ask(http_t* http, ipp_op_t operation, const char* uriName, const std::string& uri,
               const std::vector<const char*>& attributes)
{
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(attributes.size()), nullptr, attributes.data());
    IppMessage response(cupsDoRequest(http, request, "/"));
    if (response && ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        response.reset();
    return response;
}

// The printer's state, whether it takes jobs, and what the spooler says of it.
bool printerState(http_t* http, const std::string& name, PrinterInfo& info)
{
    const IppMessage response =
        ask(http, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", resourceUri("/printers/" + name),
            {"printer-state", "printer-state-message", "printer-state-reasons", "printer-is-accepting-jobs"});
    if (!response)
        return false;
    info.stopped = ippGetInteger(ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM), 0) ==
                   IPP_PSTATE_STOPPED;
    ipp_attribute_t* accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    info.accepting = !accepting || ippGetBoolean(accepting, 0);
    info.state = describe(text(response.get(), "printer-state-message"),
                          keywords(response.get(), "printer-state-reasons"));
    return true;
}

bool dataNotTaken(const std::vector<std::string>& reasons)
{
    return std::any_of(reasons.begin(), reasons.end(), [](const std::string& r) {
        return std::find(kDataNotTaken.begin(), kDataNotTaken.end(), r) != kDataNotTaken.end() ||
               r.rfind("job-canceled", 0) == 0 || r == "aborted-by-system";
    });
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
        return SpoolStatus::failure(SpoolError::Unavailable,
                                    lastError("cannot list the printers of " +
                                              (server.empty() ? std::string(cupsServer()) : server)));
    return status;
}

// A write to a scheduler that went away fails with EPIPE instead of ending the program: libcups
// sets SIGPIPE to be ignored when it initialises its network layer.
class CupsJob : public SpoolJob {
public:
    CupsJob(std::string server, Connection http, std::string printer, int id,
            std::chrono::milliseconds followLimit)
        : m_server(std::move(server)), m_http(std::move(http)), m_printer(std::move(printer)), m_id(id),
          m_followLimit(followLimit)
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

    JobOutcome follow() override
    {
        if (m_state != State::Finished)
            return {JobOutcome::Fate::Failed, "the job did not reach the print system"};
        const auto deadline = std::chrono::steady_clock::now() + m_followLimit;
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        std::vector<std::string> reasons;
        std::string message;
        for (;;) {
            SpoolStatus ignored;
            if (Connection http = connectTo(m_server, ignored)) {
                const IppMessage response =
                    ask(http.get(), IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                        resourceUri("/jobs/" + std::to_string(m_id)),
                        {"job-state", "job-state-reasons", "job-printer-state-message"});
                if (response) {
                    state = static_cast<ipp_jstate_t>(
                        ippGetInteger(ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM), 0));
                    reasons = keywords(response.get(), "job-state-reasons");
                    message = text(response.get(), "job-printer-state-message");
                }
            }
            // A job held, or waiting in a stopped queue, stays so until someone acts.
            const bool stays = state == IPP_JSTATE_HELD ||
                               (state == IPP_JSTATE_PENDING && std::find(reasons.begin(), reasons.end(),
                                                                         "printer-stopped") != reasons.end());
            if (state >= IPP_JSTATE_CANCELED || stays || std::chrono::steady_clock::now() >= deadline)
                break;
            std::this_thread::sleep_for(kFollowPoll);
        }
        const std::string why = describe(message, reasons);
        switch (state) {
        case IPP_JSTATE_CANCELED:
            return {JobOutcome::Fate::Failed, "the job on " + m_printer + " was cancelled: " + why};
        case IPP_JSTATE_ABORTED:
            return {JobOutcome::Fate::Failed, "the job on " + m_printer + " was aborted: " + why};
        case IPP_JSTATE_COMPLETED:
            if (dataNotTaken(reasons) || message == kDocumentRefused)
                return {JobOutcome::Fate::Failed,
                        "the printer " + m_printer + " did not take the job: " + why};
            return {};
        case IPP_JSTATE_PROCESSING:
            return {};
        default:
            return {JobOutcome::Fate::Waiting, waitingText(why)};
        }
    }

private:
    enum class State { Open, Broken, Finished, Aborted };

    // The queue's state for a job that is still waiting in it.
    std::string waitingText(const std::string& jobReasons) const
    {
        PrinterInfo info;
        SpoolStatus ignored;
        if (Connection http = connectTo(m_server, ignored))
            printerState(http.get(), m_printer, info);
        std::string queue = info.stopped ? "stopped" : "waiting";
        if (!info.state.empty())
            queue += ": " + info.state;
        std::string text = "the job waits in the queue " + m_printer + " (" + queue + ")";
        if (!jobReasons.empty())
            text += "; job: " + jobReasons;
        return text;
    }

    std::string m_server;
    Connection m_http;
    std::string m_printer;
    int m_id;
    std::chrono::milliseconds m_followLimit;
    State m_state = State::Open;
};

} // namespace

CupsSpooler::CupsSpooler(std::string server, std::chrono::milliseconds followLimit)
    : m_server(std::move(server)), m_followLimit(followLimit)
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
    cupsFreeDests(1, dest);
    if (!printerState(http.get(), name, info))
        return SpoolStatus::failure(SpoolError::Unavailable,
                                    lastError("cannot ask for the state of " + name));
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
    auto job = std::make_unique<CupsJob>(m_server, std::move(http), printerName, id, m_followLimit);
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
