#include "JobOutcomeText.h"

#include "PrintingTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"

namespace qrl::printing {

QString waitingNote(const qrl::JobOutcome& outcome)
{
    if (outcome.fate != qrl::JobOutcome::Fate::Waiting)
        return {};
    return qrl::formatText(qrl::text(ids::kJobWaiting), {QString::fromStdString(outcome.text)});
}

} // namespace qrl::printing
