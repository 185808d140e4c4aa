#include "ProjectFileMacroQuestion.h"

namespace {

class UnaskedQuestion : public ProjectFileMacroQuestion {
public:
    int askMacroType(const QString&) override { return kPclMacro; }
};

UnaskedQuestion unasked;
ProjectFileMacroQuestion* current = nullptr;

} // namespace

ProjectFileMacroQuestion& macroTypeQuestion()
{
    return current ? *current : unasked;
}

ProjectFileMacroQuestion* setMacroTypeQuestion(ProjectFileMacroQuestion* question)
{
    ProjectFileMacroQuestion* previous = current;
    current = question;
    return previous;
}
