#include "FileMessages.h"

#include "FileSave.h"
#include "StringTable.h"
#include "TextFormat.h"

QString fileMessageText(int formatId, const QString& error, int hintId, const QString& fileName)
{
    return qrl::formatText(qrl::text(formatId), {fileName, error, qrl::text(hintId)});
}

QString fileMessageText(int formatId, int errorId, int hintId, const QString& fileName)
{
    return fileMessageText(formatId, qrl::text(errorId), hintId, fileName);
}

void ShowFileError(int formatId, const QString& error, int hintId, const QString& fileName)
{
    qrl::ui().message(fileMessageText(formatId, error, hintId, fileName), qrl::Buttons::Ok, qrl::Icon::None);
}

void ShowFileError(int formatId, int errorId, int hintId, const QString& fileName)
{
    ShowFileError(formatId, qrl::text(errorId), hintId, fileName);
}

void ShowWriteFailure(qrl::WriteError error, const QString& path)
{
    qrl::ui().message(qrl::writeFailureText(error, path), qrl::Buttons::Ok, qrl::Icon::Warning);
}
