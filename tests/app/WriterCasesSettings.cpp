#include "WriterCases.h"

namespace qrl::test {

std::vector<WriterCase> settingsWriters()
{
    return {};
}

} // namespace qrl::test
