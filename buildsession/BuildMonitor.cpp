#include "BuildMonitor.h"

#include "StringTable.h"
#include "UserInterface.h"

namespace qrl::build {

void BuildMonitor::showResult(int target, int toFile)
{
    close();
    qrl::ui().message(qrl::text(BuildProgress::resultTextId(target, toFile)), qrl::Buttons::Ok,
                      qrl::Icon::Information);
}

} // namespace qrl::build
