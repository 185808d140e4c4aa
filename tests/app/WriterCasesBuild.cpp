#include "WriterCases.h"

namespace qrl::test {

std::vector<WriterCase> projectAndBuildWriters()
{
    return {};
}

} // namespace qrl::test
