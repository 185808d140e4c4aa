#pragma once

#include "FileMessages.h"
#include "NameRefused.h"

#include <QByteArray>
#include <QString>

// The build's message boxes that take more than a string id.
namespace qrl::build {

// The three-part file message is the program's one ShowFileError, and the cause of a failed
// write its one ShowWriteFailure.
using ::ShowFileError;
using ::ShowWriteFailure;

using qrl::printing::showNameRefused;

} // namespace qrl::build
