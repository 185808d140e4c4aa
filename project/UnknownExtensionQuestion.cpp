#include "UnknownExtensionQuestion.h"

#include "Replaceable.h"

namespace {

class CancellingQuestion : public UnknownExtensionQuestion {
public:
    std::optional<UnknownExtensionChoice> ask(const QString&) override { return std::nullopt; }
};

CancellingQuestion cancelling;
qrl::Replaceable<UnknownExtensionQuestion> installed;

} // namespace

UnknownExtensionQuestion& unknownExtensionQuestion()
{
    return installed.getOr(cancelling);
}

UnknownExtensionQuestion* setUnknownExtensionQuestion(UnknownExtensionQuestion* question)
{
    return installed.replace(question);
}
