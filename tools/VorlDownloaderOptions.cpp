#include "VorlDownloaderOptions.h"

namespace qrl::vorloptions {

int read()
{
    return qrl::read(qrl::settings::kVorlDownloaderOptions);
}

bool write(int value)
{
    return qrl::write(qrl::settings::kVorlDownloaderOptions, value);
}

PageChoice choiceFromValue(int value)
{
    PageChoice choice;
    choice.allowModifyTarget = (value & kAllowModifyTarget) ? 1 : 0;
    choice.fontListMethod = (value & kFlstFontList) ? 0 : 1;
    return choice;
}

int valueFromChoice(const PageChoice& choice)
{
    return (choice.allowModifyTarget ? kAllowModifyTarget : 0) |
           (choice.fontListMethod == 0 ? kFlstFontList : 0);
}

} // namespace qrl::vorloptions
