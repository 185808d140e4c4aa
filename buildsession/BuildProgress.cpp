#include "BuildProgress.h"

#include "BuildOptions.h"
#include "BuildSessionTextIds.h"

void BuildProgress::stepIt()
{
    m_position += m_step;
    if (m_position >= kRangeEnd)
        m_position = 0;
    else if (m_position < 0)
        m_position = 0;
}

int BuildProgress::resultTextId(qrl::build::BuildTarget target, int toFile)
{
    switch (target) {
    case qrl::build::BuildTarget::Card:
    case qrl::build::BuildTarget::Disk:
        if (toFile == kToSpooler)
            return qrl::ids::kWrittenToSpooler;
        return toFile == kToFile ? qrl::ids::kWrittenToFile : qrl::ids::kWrittenToPrintSpooler;
    case qrl::build::BuildTarget::Eprom:
        return qrl::ids::kEpromExported;
    case qrl::build::BuildTarget::CardImage:
        return qrl::ids::kCardImageExported;
    default:
        return qrl::ids::kWrittenToPrintSpooler;
    }
}
