#pragma once

#include "Spooler.h"

#include <string>

namespace qrl {

// The system's print spooler through libcups. Every call opens its own connection to the
// scheduler, so a job streams on a connection of its own and nothing is kept open between calls.
// Printers are the scheduler's destinations (instances are option sets, not printers, and are
// left out); a printer's port is its "device-uri"; a job is Create-Job followed by one streamed
// RAW document, followed after its end through the job's state and state reasons. Calls block;
// user-interface thread only.
class CupsSpooler : public Spooler {
public:
    // `server`: a host name or the path of the scheduler's local socket; empty for the user's
    // configured scheduler (CUPS_SERVER, client.conf). `followLimit`: how long SpoolJob::follow
    // waits for a finished job to be handed over or failed.
    explicit CupsSpooler(std::string server = {}, std::chrono::milliseconds followLimit = kJobFollowLimit);

    SpoolStatus printers(std::vector<std::string>& names) override;
    std::string defaultPrinter() override;
    SpoolStatus printer(const std::string& name, PrinterInfo& info) override;
    SpoolStatus ports(std::vector<PortInfo>& ports) override;
    std::unique_ptr<SpoolJob> openJob(const std::string& printer, const std::string& document,
                                      SpoolStatus& status) override;

    const std::string& server() const { return m_server; }

private:
    std::string m_server;
    std::chrono::milliseconds m_followLimit;
};

} // namespace qrl
