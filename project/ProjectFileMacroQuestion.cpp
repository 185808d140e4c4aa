#include "ProjectFileMacroQuestion.h"

#include "Replaceable.h"

namespace {

class UnaskedQuestion : public ProjectFileMacroQuestion {
public:
    int askMacroType(const QString&) override { return kPclMacro; }
};

UnaskedQuestion unasked;
qrl::Replaceable<ProjectFileMacroQuestion> current;

} // namespace

ProjectFileMacroQuestion& macroTypeQuestion()
{
    return current.getOr(unasked);
}

ProjectFileMacroQuestion* setMacroTypeQuestion(ProjectFileMacroQuestion* question)
{
    return current.replace(question);
}
