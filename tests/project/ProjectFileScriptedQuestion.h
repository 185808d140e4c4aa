#pragma once

#include "ProjectFileMacroQuestion.h"
#include "Replaceable.h"

#include <QStringList>

#include <deque>

// Answers the macro question from a queue (PCL when it is empty) and records the files asked
// about; installs itself while it lives.
class ProjectFileScriptedQuestion : public ProjectFileMacroQuestion {
public:
    std::deque<int> answers;
    QStringList asked;
    int askMacroType(const QString& fileName) override
    {
        asked.append(fileName);
        if (answers.empty())
            return kPclMacro;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }

private:
    qrl::ScopedReplacement<ProjectFileMacroQuestion> m_installed{setMacroTypeQuestion, this};
};
