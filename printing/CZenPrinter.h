#pragma once

#include "Spooler.h"

#include <QString>
#include <QStringList>

#include <optional>

// Output of a file to a printer queue as one RAW job, and the printer look-ups that the build,
// the printer tools and the font downloader share. Works over the spooler interface: the one
// given, or the program's (qrl::spooler()) when none is. User-interface thread only; every call
// blocks while the spooler answers.
class CZenPrinter {
public:
    // The document name of jobs sent before SetDocumentName gives one.
    static constexpr const char* kDefaultDocumentName = "Zentrix Document";
    // The one message this class shows: a printer that cannot be opened.
    static constexpr const char* kCannotOpenPrinter = "Can not open Printer";

    // The printers in the spooler's order, and the index among them of the default printer
    // (-1 when it is none of them).
    struct PrinterChoice {
        QStringList names;
        int defaultIndex = -1;
    };

    // `spooler` is not owned; nullptr means the program's spooler.
    explicit CZenPrinter(qrl::Spooler* spooler = nullptr);

    // The spooler document name of the next SendFile and of every later one until changed.
    void SetDocumentName(const QString& name) { m_documentName = name; }
    const QString& documentName() const { return m_documentName; }

    // Sends the whole file as one RAW job. False without a message when the file does not exist
    // or the printer name is empty; false after "Can not open Printer" when the printer cannot be
    // opened; false after a file message when the file cannot be read whole. A job that fails at
    // any stage is aborted, so nothing of it prints. A confirmed job is followed until the
    // spooler hands it to the printer or fails it: true unless it failed (lastError() says why);
    // a job still waiting in its queue is true with waitingNote() set.
    bool SendFile(const QString& path, const QString& printerName);

    // The printer's record, or nothing after the message "Can not open Printer". An empty name
    // gives nothing without a message.
    std::optional<qrl::PrinterInfo> OpenPrinterByName(const QString& printerName);
    // The default printer's name; empty when there is none.
    QString GetDefaultPrinterName();
    // The printers and which of them is the default; nothing when the spooler cannot be asked.
    std::optional<PrinterChoice> listPrinters();
    // The printer's port; "" when the printer cannot be opened (after its message) or has none.
    QString GetPrinterPortName(const QString& printerName);
    // True when the file system knows the path (a file or a folder).
    static bool FileExists(const QString& path);

    // What the last failed spooler call reported (None after a success).
    const qrl::SpoolStatus& lastError() const { return m_lastError; }
    // For the messages: the spooler's reason of the last failure; "" after a success.
    QString lastReason() const { return QString::fromStdString(m_lastError.text); }
    // After a SendFile whose job still waits in its queue: the note that says so, with the queue's
    // state; "" otherwise.
    const QString& waitingNote() const { return m_waitingNote; }

private:
    qrl::Spooler& spooler() const;

    qrl::Spooler* m_spooler;
    QString m_documentName;
    qrl::SpoolStatus m_lastError;
    QString m_waitingNote;
};
