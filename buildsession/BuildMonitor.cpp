#include "BuildMonitor.h"

#include "StringTable.h"
#include "UserInterface.h"

namespace qrl::build {

void BuildMonitor::showResult(BuildTarget target, int toFile)
{
    close();
    qrl::ui().messageWithDetail(qrl::text(BuildProgress::resultTextId(target, toFile)), m_resultNote,
                                qrl::Buttons::Ok, qrl::Icon::Information);
}

} // namespace qrl::build
