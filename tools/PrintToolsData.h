#pragma once

#include "CallMacroCommand.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class CToolDataFile;

// What the printer tools keep from one run to the next in the tool data file.
struct PrintToolsData {
    struct Macro {
        QString name;
        std::optional<QByteArray> text; // the macro's bytes; nothing when it has none

        bool operator==(const Macro&) const = default;
    };

    CallMacroParams call;
    QString fileToSend;
    std::vector<Macro> macros;

    bool operator==(const PrintToolsData&) const = default;
};

// Reads everything from the file: the three CALL values (all three empty when one cannot be
// read), the last file to send (empty when missing or longer than a path the file holds), then
// every custom macro in file order with its text, or none when the text cannot be read. Names
// and values are UTF-8, or Latin-1 when they are not valid UTF-8.
PrintToolsData loadPrintToolsData(CToolDataFile& file);

// Replaces the file by the data: the CALL block, the file to send, then every macro in order.
// When an entry cannot be kept (ToolDataImage), its reason is shown and the file is left as it
// was; a failed write shows the file's error. True when the file was written.
bool savePrintToolsData(CToolDataFile& file, const PrintToolsData& data);
