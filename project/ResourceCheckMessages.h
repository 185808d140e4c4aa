#pragma once

#include "UserInterface.h"

#include <QString>

// Where the content checks and the project file readers show the three-part file message: the
// format text (a string id) filled with the file's full path, an error definition and a hint
// (string ids too). The project document implements it; its messages switch is off only while
// an old project's fonts are being classified.
class ResourceCheckMessages {
public:
    virtual ~ResourceCheckMessages() = default;

    // Shows the message with the buttons given and answers the user's choice. While the messages
    // switch is off nothing is shown and the answer is Ok.
    virtual qrl::Answer showFileMessage(int formatId, int errorId, int hintId, const QString& file,
                                        qrl::Buttons buttons) = 0;
    // Shows the message in an OK box whatever the switch says.
    virtual void showFileError(int formatId, int errorId, int hintId, const QString& file) = 0;
};
