#pragma once

#include "Spooler.h"

#include <QString>
#include <QStringList>

class QObject;

// Where the output of a build goes: a printer's name, or a file's path when the pseudo-printer
// "FILE:" is chosen. Also lists the spooler's writable ports and runs the save dialog that picks
// the output file and proves it can be written. Lives as long as the dialog that owns it.
class CPrinterOutput {
public:
    // `owner`: the dialog that owns the sink (not owned). `spooler`: not owned; nullptr means the
    // program's spooler.
    explicit CPrinterOutput(QObject* owner = nullptr, qrl::Spooler* spooler = nullptr);

    // Fills the port list with the spooler's writable ports (it is emptied first). The argument is
    // not used. False, with the list empty, when the spooler cannot be asked.
    bool EnumWritablePorts(int unused = 0);
    const QStringList& ports() const { return m_ports; }

    void SetOutputName(const QString& name) { m_outputName = name; }
    const QString& outputName() const { return m_outputName; }
    void setToFile(bool toFile) { m_toFile = toFile; }
    bool toFile() const { return m_toFile; }
    QObject* owner() const { return m_owner; }

    // The folder the save dialog opens in (the builds directory of the file locations).
    void setInitialDirectory(const QString& directory) { m_initialDirectory = directory; }

    // Asks for the output file (save dialog with overwrite prompt) and proves that it can be
    // written without touching it: an existing file keeps its bytes until the output replaces
    // it whole. The dialog adds `defaultExtension` to a name typed without one (before its
    // overwrite prompt). False when the dialog is cancelled, or after the message that names why
    // the file cannot be written; `outPath` is set only on success.
    bool SelectOutputFile(QString& outPath, const QString& title, const QString& filter,
                          const QString& defaultExtension, const QString& defaultFileName);

private:
    qrl::Spooler& spooler() const;

    qrl::Spooler* m_spooler;
    QObject* m_owner;
    QStringList m_ports;
    QString m_outputName;
    QString m_initialDirectory;
    bool m_toFile = false;
};
