#include "CapacityPane.h"

#include "AppContext.h"
#include "Replaceable.h"
#include "TextFormat.h"

namespace {
qrl::Replaceable<CapacityPane> currentPane;
} // namespace

void setCapacityPane(CapacityPane* pane)
{
    currentPane.replace(pane);
}

bool updateCapacityPane(const CProjSett& settings, std::uint32_t itemCount, std::uint64_t totalBytes,
                        std::uint64_t bytesToAdd)
{
    qrl::AppContext& context = qrl::context();
    const CapacityCheck check = checkCapacity(settings, itemCount, totalBytes, bytesToAdd);
    if (context.logs(9)) {
        context.logText(9, qrl::formatText(QStringLiteral("GetTotalInBytes returned: %d\r\n"),
                                           {static_cast<unsigned long long>(totalBytes)}));
        context.logText(9, qrl::formatText(QStringLiteral(" addind dwSizeToAdd: %d\r\n"),
                                           {static_cast<unsigned long long>(bytesToAdd)}));
        context.logText(9, qrl::formatText(QStringLiteral(" new total size is : %d\r\n"),
                                           {static_cast<unsigned long long>(check.totalBytes)}));
        if (isCardMedium(settings.m_medium))
            context.logText(9, qrl::formatText(QStringLiteral("GetCapacityInBytes returned: %d\r\n"),
                                               {static_cast<unsigned long long>(check.capacityBytes)}));
    }
    // A test for an add leaves the pane alone when the add would not fit; a plain refresh always
    // shows the current project's figures, also for a project that is over capacity.
    CapacityPane* pane = currentPane.get();
    if (pane && (check.fits || bytesToAdd == 0))
        pane->showCapacityText(check.paneText);
    return check.fits;
}
