#include "BuildProgress.h"

#include "StringIds.h"

void BuildProgress::stepIt()
{
    m_position += m_step;
    if (m_position >= kRangeEnd)
        m_position = 0;
    else if (m_position < 0)
        m_position = 0;
}

int BuildProgress::resultTextId(int target, int toFile)
{
    switch (target) {
    case 0:
    case 1:
        if (toFile == 0)
            return qrl::ids::kWrittenToSpooler;
        return toFile == 1 ? qrl::ids::kWrittenToFile : qrl::ids::kWrittenToPrintSpooler;
    case 2:
        return qrl::ids::kEpromExported;
    case 3:
        return qrl::ids::kCardImageExported;
    default:
        return qrl::ids::kWrittenToPrintSpooler;
    }
}
