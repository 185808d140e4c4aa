#pragma once

#include "Spooler.h"

#include <QString>

namespace qrl::printing {

// The note a message adds beneath its text for a job that is still waiting in its queue (with the
// queue's state); "" for a job that was handed over or failed.
QString waitingNote(const qrl::JobOutcome& outcome);

} // namespace qrl::printing
