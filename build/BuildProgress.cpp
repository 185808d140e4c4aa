#include "BuildProgress.h"

namespace {

constexpr int kWrittenToSpooler = 3001;
constexpr int kWrittenToFile = 3002;
constexpr int kWrittenOther = 2370;
constexpr int kEpromExported = 3004;
constexpr int kCardImageExported = 3003;

} // namespace

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
            return kWrittenToSpooler;
        return toFile == 1 ? kWrittenToFile : kWrittenOther;
    case 2:
        return kEpromExported;
    case 3:
        return kCardImageExported;
    default:
        return kWrittenOther;
    }
}
