#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What a row of the printer tools does when it is sent.
enum ToolKind : int {
    kToolFixedCommand = 0, // the text is sent unchanged
    kToolSendFile = 1,     // the text is the path of a file sent as a job of its own
    kToolCallMacro = 2,    // the CALL command is built from the CALL macro values at send time
    kToolCustomMacro = 3,  // the text is a macro the user wrote
};

// One row of the tool table. `text` is the bytes sent (a command, a macro) or, for the file
// tool, the path's bytes; nothing when the row has none yet.
struct ToolRecord {
    QString name;
    int kind = kToolFixedCommand;
    std::optional<QByteArray> text;
};
