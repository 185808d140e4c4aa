#pragma once

#include "FileMessages.h"

#include <QByteArray>
#include <QString>

// The build's message boxes that take more than a string id.
namespace qrl::build {

// The three-part file message is the program's one ShowFileError, and the cause of a failed
// write its one ShowWriteFailure.
using ::ShowFileError;
using ::ShowWriteFailure;

// A resource name that cannot stand in a printer command (message kNameNotSendable); control bytes are
// shown as '?'.
void showNameRefused(const QByteArray& name);

} // namespace qrl::build
