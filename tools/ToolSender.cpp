#include "ToolSender.h"

#include "AppContext.h"
#include "CPrintToolArray.h"
#include "PrintingTextIds.h"
#include "Spooler.h"
#include "StringTable.h"
#include "ToolJobOutput.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QFile>

#include <algorithm>

namespace {

const char* const kSaveTitle = "Save to file";

// Files are streamed to the job in blocks of this size.
constexpr qint64 kSendBlock = 4096;

} // namespace

ToolSender::ToolSender(CPrintToolArray& tools, const CallMacroParams& call, qrl::Spooler* spooler)
    : m_tools(tools), m_call(call), m_spooler(spooler)
{
}

ToolSender::~ToolSender() = default;

qrl::Spooler& ToolSender::spooler() const
{
    return m_spooler ? *m_spooler : qrl::spooler();
}

std::unique_ptr<ToolJobOutput> ToolSender::openOutput()
{
    if (m_printerName == qrl::text(qrl::ids::kFilePrinter)) {
        // Only the name is asked for here: the file is made when something is sent, so a send
        // that sends nothing leaves no empty file and an earlier file as it was.
        qrl::FileDialogRequest request;
        request.title = QString::fromLatin1(kSaveTitle);
        request.directory = qrl::context().directories.builds;
        request.fileName = QString::fromLatin1(kToolsDocument) + QStringLiteral(".prn");
        request.filter = qrl::text(qrl::ids::kAllFilesFilter);
        request.overwritePrompt = true;
        request.defaultSuffix = QStringLiteral("prn");
        const std::optional<QString> chosen = qrl::ui().saveFileName(request);
        if (!chosen || chosen->isEmpty())
            return nullptr;
        return std::make_unique<ToolJobOutput>(*chosen);
    }
    qrl::PrinterInfo info;
    const qrl::SpoolStatus status = spooler().printer(m_printerName.toStdString(), info);
    if (!status.ok()) {
        m_reason = QString::fromStdString(status.text);
        qrl::ui().messageWithDetail(qrl::text(qrl::ids::kFailedToOpenPrinter), m_reason);
        return nullptr;
    }
    return std::make_unique<ToolJobOutput>(spooler(), m_printerName);
}

bool ToolSender::writeTools(ToolJobOutput& output, const QByteArray& bytes)
{
    // After a file's own job the tools job is over; the rows after it go into a further one.
    if (!output.isOpen() && !output.begin(QString::fromLatin1(kToolsDocument)))
        return false;
    return output.write(bytes);
}

bool ToolSender::keepOutcome(const ToolJobOutput& output, bool sent)
{
    if (!sent)
        m_reason = QString::fromStdString(output.lastError().text);
    m_waitingNote = sent ? output.waitingNote() : QString();
    return sent;
}

bool ToolSender::SendTools(const std::vector<int>& checkedTools, const ToolSendTarget& target)
{
    m_reason.clear();
    m_waitingNote.clear();
    m_printerName = target.printerName;
    m_portName = target.portName;
    if (m_printerName != qrl::text(qrl::ids::kFilePrinter) && m_portName == QLatin1String(kFilePort)) {
        qrl::ui().message(QString::fromLatin1(kCannotWriteToFile));
        return false;
    }
    const std::unique_ptr<ToolJobOutput> output = openOutput();
    if (!output)
        return false;
    m_tools.BindCommandTexts(target.tarnwick);

    int sent = 0;
    bool failed = false;
    for (const int tool : checkedTools) {
        const std::optional<QByteArray>& text = m_tools.text(tool);
        switch (m_tools.kind(tool)) {
        case kToolFixedCommand:
            if (text && !text->isEmpty()) {
                failed = !writeTools(*output, *text);
                sent += failed ? 0 : 1;
            }
            break;
        case kToolSendFile:
            if (!text || text->isEmpty()) {
                qrl::ui().message(qrl::text(qrl::ids::kNoFileSelected));
            } else if (!output->isOpen() || output->end()) {
                const FileResult result = sendFile(QFile::decodeName(*text), *output);
                failed = result == FileResult::Failed;
                sent += result == FileResult::Sent ? 1 : 0;
            } else {
                failed = true;
            }
            break;
        case kToolCallMacro:
            if (BuildCallMacroCommand(m_call, m_callCommand)) {
                failed = !writeTools(*output, m_callCommand);
                sent += failed ? 0 : 1;
            }
            break;
        case kToolCustomMacro:
            if (!text || text->isEmpty()) {
                qrl::ui().message(qrl::text(qrl::ids::kNoCustomMacroData));
            } else {
                failed = !writeTools(*output, *text);
                sent += failed ? 0 : 1;
            }
            break;
        default:
            break;
        }
        // A job the spooler did not take ends the send: nothing after it goes out as if it had.
        if (failed)
            break;
    }
    if (failed || sent == 0) {
        output->abort();
        return keepOutcome(*output, false);
    }
    return keepOutcome(*output, output->commit());
}

bool ToolSender::SendOneFile(const QString& path)
{
    m_reason.clear();
    m_waitingNote.clear();
    const std::unique_ptr<ToolJobOutput> output = openOutput();
    return output && keepOutcome(*output, sendFile(path, *output) == FileResult::Sent && output->commit());
}

ToolSender::FileResult ToolSender::sendFile(const QString& path, ToolJobOutput& output)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qrl::ui().message(qrl::text(qrl::ids::kTheFilePrefix) + path +
                          qrl::text(qrl::ids::kCouldNotBeOpened));
        return FileResult::NotOpened;
    }
    if (!output.begin(QString::fromLatin1(kFileDocument)))
        return FileResult::Failed;
    // The size comes from the file system; a read that ends before it fails the job, so a file
    // cut short is never sent as if it were whole.
    const qint64 size = file.size();
    char block[kSendBlock];
    for (qint64 done = 0; done < size;) {
        const qint64 n = file.read(block, std::min(kSendBlock, size - done));
        if (n <= 0) {
            output.abort();
            qrl::ui().message(qrl::text(qrl::ids::kTheFilePrefix) + path +
                              qrl::text(qrl::ids::kCouldNotBeOpened));
            return FileResult::Failed;
        }
        if (!output.write(block, n))
            return FileResult::Failed;
        done += n;
    }
    return output.end() ? FileResult::Sent : FileResult::Failed;
}
