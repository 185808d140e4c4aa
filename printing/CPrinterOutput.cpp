#include "CPrinterOutput.h"

#include "FileMessages.h"
#include "OutputFileCheck.h"
#include "UserInterface.h"

CPrinterOutput::CPrinterOutput(QObject* owner, qrl::Spooler* spooler) : m_spooler(spooler), m_owner(owner)
{
}

qrl::Spooler& CPrinterOutput::spooler() const
{
    return m_spooler ? *m_spooler : qrl::spooler();
}

bool CPrinterOutput::EnumWritablePorts(int)
{
    m_ports.clear();
    std::vector<qrl::PortInfo> ports;
    if (!spooler().ports(ports).ok())
        return false;
    for (const qrl::PortInfo& port : ports) {
        if (port.writable)
            m_ports.append(QString::fromStdString(port.name));
    }
    return true;
}

bool CPrinterOutput::SelectOutputFile(QString& outPath, const QString& title, const QString& filter,
                                      const QString& defaultExtension, const QString& defaultFileName)
{
    qrl::FileDialogRequest request;
    request.title = title;
    request.directory = m_initialDirectory;
    request.fileName = defaultFileName;
    request.filter = filter;
    request.overwritePrompt = true;
    request.mustExist = false;
    request.defaultSuffix =
        defaultExtension.startsWith(QLatin1Char('.')) ? defaultExtension.mid(1) : defaultExtension;
    const std::optional<QString> chosen = qrl::ui().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return false;

    const QString& path = *chosen;
    // A failed build must not cost the file that was there: writability is proven beside it,
    // and the build's writer replaces it only when the new one is complete.
    qrl::WriteError error = qrl::WriteError::None;
    if (!qrl::printing::canWriteOutput(path, error)) {
        ShowWriteFailure(error, path);
        return false;
    }
    outPath = path;
    return true;
}
