#include "CZenPrinter.h"

#include "JobOutcomeText.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

void showFileError(const QString& path)
{
    qrl::ui().message(qrl::formatText(qrl::text(qrl::ids::kFileErrorFormat),
                                      {path, qrl::text(qrl::ids::kCouldNotAccessFile),
                                       qrl::text(qrl::ids::kHintCheckFile)}),
                      qrl::Buttons::Ok, qrl::Icon::Warning);
}

} // namespace

CZenPrinter::CZenPrinter(qrl::Spooler* spooler) : m_spooler(spooler)
{
}

qrl::Spooler& CZenPrinter::spooler() const
{
    return m_spooler ? *m_spooler : qrl::spooler();
}

bool CZenPrinter::SendFile(const QString& path, const QString& printerName)
{
    m_lastError = {};
    m_waitingNote.clear();
    if (!FileExists(path) || printerName.isEmpty())
        return false;
    // The file is opened before the printer so that an unreadable file never starts a job.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        showFileError(path);
        return false;
    }
    // The size comes from the file system when the file is opened; a read that fails or ends
    // before it is an error, so a file cut short is never sent as if it were whole.
    const qint64 size = file.size();
    if (!OpenPrinterByName(printerName))
        return false;
    if (m_documentName.isEmpty())
        m_documentName = QString::fromLatin1(kDefaultDocumentName);

    std::unique_ptr<qrl::SpoolJob> job =
        spooler().openJob(printerName.toStdString(), m_documentName.toStdString(), m_lastError);
    if (!job)
        return false;

    std::vector<char> buffer(static_cast<std::size_t>(
        std::min<qint64>(static_cast<qint64>(qrl::kSendBlockSize), std::max<qint64>(size, 1))));
    char* block = buffer.data();
    const auto blockSize = static_cast<qint64>(buffer.size());
    for (qint64 sent = 0; sent < size;) {
        const qint64 n = file.read(block, std::min(blockSize, size - sent));
        if (n <= 0) {
            job->abort();
            showFileError(path);
            return false;
        }
        m_lastError = job->write(block, static_cast<std::size_t>(n));
        if (!m_lastError.ok()) {
            job->abort();
            return false;
        }
        sent += n;
    }
    m_lastError = job->finish();
    if (!m_lastError.ok())
        return false;
    const qrl::JobOutcome outcome = job->follow();
    m_lastError = qrl::outcomeStatus(outcome);
    m_waitingNote = qrl::printing::waitingNote(outcome);
    return m_lastError.ok();
}

std::optional<qrl::PrinterInfo> CZenPrinter::OpenPrinterByName(const QString& printerName)
{
    if (printerName.isEmpty())
        return std::nullopt;
    qrl::PrinterInfo info;
    m_lastError = spooler().printer(printerName.toStdString(), info);
    if (!m_lastError.ok()) {
        qrl::ui().messageWithDetail(QString::fromLatin1(kCannotOpenPrinter), lastReason(), qrl::Buttons::Ok,
                                    qrl::Icon::None);
        return std::nullopt;
    }
    return info;
}

QString CZenPrinter::GetDefaultPrinterName()
{
    return QString::fromStdString(spooler().defaultPrinter());
}

std::optional<CZenPrinter::PrinterChoice> CZenPrinter::listPrinters()
{
    std::vector<std::string> names;
    m_lastError = spooler().printers(names);
    if (!m_lastError.ok())
        return std::nullopt;
    PrinterChoice choice;
    const QString defaultName = GetDefaultPrinterName();
    for (const std::string& name : names) {
        if (choice.defaultIndex < 0 && !defaultName.isEmpty() && QString::fromStdString(name) == defaultName)
            choice.defaultIndex = static_cast<int>(choice.names.size());
        choice.names.append(QString::fromStdString(name));
    }
    return choice;
}

QString CZenPrinter::GetPrinterPortName(const QString& printerName)
{
    const std::optional<qrl::PrinterInfo> info = OpenPrinterByName(printerName);
    return info ? QString::fromStdString(info->port) : QString();
}

bool CZenPrinter::FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}
