#pragma once

#include <QString>

// The question an import asks for each macro of an older project, whose records do not say which
// language a macro is in. The program installs the dialog; tests install scripted answers.
class ProjectFileMacroQuestion {
public:
    static constexpr int kPclMacro = 5; // also the answer when the question is closed
    static constexpr int kTelluradeMacro = 6;

    virtual ~ProjectFileMacroQuestion() = default;
    // kTelluradeMacro or kPclMacro for the macro file `fileName`.
    virtual int askMacroType(const QString& fileName) = 0;
};

// The question in use; before one is installed, one that answers kPclMacro without asking.
ProjectFileMacroQuestion& macroTypeQuestion();
// Installs `question` (not owned); nullptr goes back to the default. Returns the previous one.
ProjectFileMacroQuestion* setMacroTypeQuestion(ProjectFileMacroQuestion* question);
