#include "UnknownExtensionQuestion.h"

namespace {

class CancellingQuestion : public UnknownExtensionQuestion {
public:
    std::optional<UnknownExtensionChoice> ask(const QString&) override { return std::nullopt; }
};

CancellingQuestion cancelling;
UnknownExtensionQuestion* installed = nullptr;

} // namespace

UnknownExtensionQuestion& unknownExtensionQuestion()
{
    return installed ? *installed : cancelling;
}

UnknownExtensionQuestion* setUnknownExtensionQuestion(UnknownExtensionQuestion* question)
{
    UnknownExtensionQuestion* previous = installed;
    installed = question;
    return previous;
}
