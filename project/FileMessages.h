#pragma once

#include "UserInterface.h"
#include "WholeFile.h"

#include <QString>

// The three-part file message ("INFO : A file error occured. \n\nThe File  : %s\n\n..."): a
// format text filled with a file name, an error definition and a hint.

// The message text: the format filled with the file name, the error text and the hint, in this
// order. Texts come from the string table by id.
QString fileMessageText(int formatId, int errorId, int hintId, const QString& fileName);
// The same with an error definition given as text.
QString fileMessageText(int formatId, const QString& error, int hintId, const QString& fileName);

// Shows the file message in a plain OK box. Shared by the build, the project item, the command
// file creators and the bitmap dialog.
void ShowFileError(int formatId, int errorId, int hintId, const QString& fileName);
void ShowFileError(int formatId, const QString& error, int hintId, const QString& fileName);

// Shows why a file the user keeps could not be written (qrl::writeFailureText), naming `path`.
void ShowWriteFailure(qrl::WriteError error, const QString& path);
