#pragma once

#include "CallMacroCommand.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class CPrintToolArray;
class ToolJobOutput;

namespace qrl {
class Spooler;
}

// The printer and the storage command family chosen in the send dialog.
struct ToolSendTarget {
    QString printerName;
    QString portName;
    bool tarnwick = false;
};

// Sends the checked rows of the printer tools: fixed commands, CALL commands and custom macros
// in one RAW job "Quorlyn Tools Document", each file to send in a job "Quorlyn File Document" of
// its own. For the pseudo-printer "FILE:" the same bytes go, in the same order, into one file the
// user chooses. Messages go through qrl::ui().
class ToolSender {
public:
    static constexpr const char* kToolsDocument = "Quorlyn Tools Document";
    static constexpr const char* kFileDocument = "Quorlyn File Document";
    static constexpr const char* kCannotWriteToFile =
        "Can not write to file.\r\nPlease select another printer";
    static constexpr const char* kFilePort = "FILE:";

    // `tools` and `call` are not owned and must outlive the sender; `spooler` nullptr means the
    // program's spooler.
    ToolSender(CPrintToolArray& tools, const CallMacroParams& call, qrl::Spooler* spooler = nullptr);
    ~ToolSender();

    // Sends the rows `checkedTools` (table indices, in list order). Rebinds the storage commands
    // of rows 3, 4, 7 and 8 for the target's family. A row that cannot be sent (CALL macro without
    // an acceptable name, custom macro without text, no file chosen, a file that cannot be
    // opened) shows its message and the others are still sent. True when at least one row was
    // sent and every job that was opened was confirmed; false at once, after its message, when
    // the printer cannot be opened, its port is "FILE:" or no output file is chosen.
    bool SendTools(const std::vector<int>& checkedTools, const ToolSendTarget& target);
    // Sends one file as a job of its own to the printer of the last send.
    bool SendOneFile(const QString& path);

    const QString& printerName() const { return m_printerName; }
    const QString& portName() const { return m_portName; }
    // The CALL command of the last send that built one.
    const QByteArray& callCommand() const { return m_callCommand; }
    // After a failed send: the print system's reason when it gave one; "" otherwise.
    const QString& lastReason() const { return m_reason; }
    // After a send whose job still waits in its queue: the note that says so; "" otherwise.
    const QString& waitingNote() const { return m_waitingNote; }

private:
    enum class FileResult { Sent, NotOpened, Failed };

    std::unique_ptr<ToolJobOutput> openOutput();
    // Keeps what the output tells of its jobs for lastReason() and waitingNote(); returns `sent`.
    bool keepOutcome(const ToolJobOutput& output, bool sent);
    FileResult sendFile(const QString& path, ToolJobOutput& output);
    bool writeTools(ToolJobOutput& output, const QByteArray& bytes);
    qrl::Spooler& spooler() const;

    CPrintToolArray& m_tools;
    const CallMacroParams& m_call;
    qrl::Spooler* m_spooler;
    QString m_printerName;
    QString m_portName;
    QByteArray m_callCommand;
    QString m_reason;
    QString m_waitingNote;
};
