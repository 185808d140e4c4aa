#include "FontDownloadSend.h"

#include "CZenPrinter.h"
#include "TextFormat.h"
#include "ToolFileWrite.h"
#include "UserInterface.h"
#include "VorlDownloaderOptions.h"

#include <QFile>
#include <QFileInfo>

namespace qrl::fontdownload {

namespace {

constexpr char kAddItemFirst[] = "Add item first";
constexpr char kSent[] = "Sent to the printer spooler successfully";
constexpr char kNotSent[] = "Failed to send to the printer";
constexpr char kFileCreated[] = "File : %s created successfully";
constexpr char kFileNotCreated[] = "Failed to create file : %s";
constexpr char kListSent[] = "Font list command sent to the printer spooler successfully";
constexpr char kListNotSent[] = "Failed to send font list command to the printer";
constexpr char kSaveTitle[] = "Save to file";
constexpr char kSaveFilter[] = "All Files (*.*)|*.*|";
constexpr qint64 kCopyBlock = 64 * 1024;

void show(const QString& text)
{
    qrl::ui().message(text, qrl::Buttons::Ok, qrl::Icon::Information);
}

// The result of a send, with the print system's reason for a failed job, or the state of the
// queue a job waits in, beneath it; a job that was never made has neither.
void showSent(bool tried, bool sent, const char* sentText, const char* notSentText,
              const CZenPrinter& printer)
{
    const QString detail = !tried ? QString() : sent ? printer.waitingNote() : printer.lastReason();
    qrl::ui().messageWithDetail(QString::fromLatin1(sent ? sentText : notSentText), detail, qrl::Buttons::Ok,
                                qrl::Icon::Information);
}

FontDownloadJob makeJob(const FontDownloadRequest& request)
{
    return FontDownloadJob(request.mediumType, (request.options & qrl::vorloptions::kFlstFontList) != 0);
}

// The combined job written whole to `path` through the one writer, so a failure keeps the old
// file. On a failed write `error` is its cause; it stays None when the job could not be read.
bool copyJob(const QString& jobPath, const QString& path, qrl::WriteError& error)
{
    error = qrl::WriteError::None;
    QFile in(jobPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    qrl::WholeFileWriter out;
    bool copied = out.open(qrl::nativePath(path));
    for (qint64 left = in.size(); copied && left > 0;) {
        const QByteArray block = in.read(std::min(kCopyBlock, left));
        copied = !block.isEmpty() && out.write(block.constData(), static_cast<std::size_t>(block.size()));
        left -= block.size();
    }
    if (copied && out.commit())
        return true;
    out.abandon();
    error = out.error();
    return false;
}

} // namespace

bool sendToPrinter(const FontDownloadRequest& request, CZenPrinter& printer)
{
    if (request.rows.isEmpty()) {
        show(QString::fromLatin1(kAddItemFirst));
        return false;
    }
    FontDownloadJob job = makeJob(request);
    bool sent = false;
    const bool tried = job.buildCombinedJob(request.rows) > 0;
    if (tried) {
        printer.SetDocumentName(QString::fromLatin1(kDocumentName));
        sent = printer.SendFile(job.captureFilePath(), request.printerName);
    }
    showSent(tried, sent, kSent, kNotSent, printer);
    job.DeleteJobFiles();
    return sent;
}

bool saveToFile(const FontDownloadRequest& request, const QString& initialDirectory)
{
    if (request.rows.isEmpty()) {
        show(QString::fromLatin1(kAddItemFirst));
        return false;
    }
    FontDownloadJob job = makeJob(request);
    const bool built = job.buildCombinedJob(request.rows) > 0;
    qrl::FileDialogRequest dialog;
    dialog.title = QString::fromLatin1(kSaveTitle);
    dialog.filter = QString::fromLatin1(kSaveFilter);
    dialog.fileName = defaultJobFileName(request);
    dialog.directory = initialDirectory;
    dialog.overwritePrompt = true;
    const std::optional<QString> path = qrl::ui().saveFileName(dialog);
    if (!path)
        return false;
    qrl::WriteError error = qrl::WriteError::None;
    const bool saved = built && copyJob(job.captureFilePath(), *path, error);
    // One box: a failed write is told with its cause, the file not made for any other reason.
    if (error != qrl::WriteError::None)
        qrl::toolfile::showWriteFailure(error, *path);
    else
        show(qrl::formatText(QString::fromLatin1(saved ? kFileCreated : kFileNotCreated), {*path}));
    return saved;
}

bool sendFontList(const FontDownloadRequest& request, CZenPrinter& printer)
{
    FontDownloadJob job = makeJob(request);
    bool sent = false;
    const bool tried = job.WriteFontListJob();
    if (tried) {
        printer.SetDocumentName(QString::fromLatin1(kDocumentName));
        sent = printer.SendFile(job.itemFilePath(0), request.printerName);
    }
    showSent(tried, sent, kListSent, kListNotSent, printer);
    return sent;
}

QString defaultJobFileName(const FontDownloadRequest& request)
{
    if (request.rows.isEmpty())
        return {};
    const QFileInfo last(request.rows.last().localPath);
    return last.completeBaseName() + QStringLiteral(".prn");
}

} // namespace qrl::fontdownload
