#pragma once

#include <QString>

#include <optional>

// The user's answer to the unknown-extension question.
struct UnknownExtensionChoice {
    int subtype = 0;      // a list index, 0 to 8
    bool remember = true; // map the extension to this type from now on
};

// Asks which type of resource a file with an unmapped extension is. The GUI installs the dialog;
// until one is installed the question answers Cancel, so no file is classified by accident.
class UnknownExtensionQuestion {
public:
    virtual ~UnknownExtensionQuestion() = default;
    // Nothing on Cancel.
    virtual std::optional<UnknownExtensionChoice> ask(const QString& path) = 0;
};

UnknownExtensionQuestion& unknownExtensionQuestion();
// Installs `question` (not owned); nullptr goes back to the cancelling one. Returns the previous one.
UnknownExtensionQuestion* setUnknownExtensionQuestion(UnknownExtensionQuestion* question);
