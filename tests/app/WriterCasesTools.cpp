#include "WriterCases.h"

namespace qrl::test {

std::vector<WriterCase> toolWriters()
{
    return {};
}

} // namespace qrl::test
