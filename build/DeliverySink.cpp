#include "DeliverySink.h"

#include "BuildStringIds.h"
#include "CQuorlyn32App.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qrl::build {

SpoolDeliverySink::SpoolDeliverySink(qrl::Spooler& spooler, const QString& printer)
    : m_spooler(spooler), m_printer(printer)
{
}

SpoolDeliverySink::~SpoolDeliverySink()
{
    abort();
}

bool SpoolDeliverySink::open()
{
    qrl::SpoolStatus status;
    m_job = m_spooler.openJob(m_printer.toStdString(), kDocumentName, status);
    if (m_job)
        return true;
    logFailure(status);
    qrl::ui().message(qrl::text(ids::kFailedToOpenPrinter), qrl::Buttons::Ok, qrl::Icon::Warning);
    return false;
}

bool SpoolDeliverySink::write(const char* data, qint64 size)
{
    if (!m_job)
        return false;
    const qrl::SpoolStatus status = m_job->write(data, static_cast<std::size_t>(size));
    if (status.ok())
        return true;
    logFailure(status);
    return false;
}

bool SpoolDeliverySink::finish()
{
    if (!m_job)
        return false;
    const qrl::SpoolStatus status = m_job->finish();
    m_job.reset();
    if (status.ok())
        return true;
    logFailure(status);
    return false;
}

void SpoolDeliverySink::abort()
{
    if (m_job)
        m_job->abort();
    m_job.reset();
}

void SpoolDeliverySink::showWriteFailure()
{
    qrl::ui().message(qrl::text(ids::kFailedToBuild), qrl::Buttons::Ok, qrl::Icon::Warning);
}

void SpoolDeliverySink::logFailure(const qrl::SpoolStatus& status) const
{
    theApp().logText(1, QStringLiteral("Build: printer %1: %2\r\n")
                            .arg(m_printer, QString::fromStdString(status.text)));
}

FileDeliverySink::FileDeliverySink(const QString& path)
    : m_path(path)
{
}

FileDeliverySink::~FileDeliverySink()
{
    if (m_file)
        abort();
}

bool FileDeliverySink::open()
{
    const QFileInfo info(m_path);
    // A device cannot be replaced by a finished copy; it takes the bytes as they come.
    m_direct = info.exists() && !info.isFile() && !info.isDir();
    if (m_direct)
        m_file = std::make_unique<QFile>(m_path);
    else
        m_file = std::make_unique<QSaveFile>(m_path);
    if (m_file->open(QIODevice::WriteOnly))
        return true;
    abort();
    showWriteFailure();
    return false;
}

bool FileDeliverySink::write(const char* data, qint64 size)
{
    if (!m_file || m_file->write(data, size) != size)
        return false;
    m_written += size;
    return true;
}

bool FileDeliverySink::finish()
{
    if (!m_file)
        return false;
    // Buffered bytes reach the file only here, and a short write of them is no error to the
    // file object, so the bytes on disk are counted before the file counts as written.
    bool done = m_file->flush() && m_file->error() == QFileDevice::NoError;
    if (m_direct) {
        m_file->close();
    } else {
        auto* saveFile = static_cast<QSaveFile*>(m_file.get());
        done = done && saveFile->size() == m_written;
        if (done)
            done = saveFile->commit();
        else
            saveFile->cancelWriting();
    }
    m_file.reset();
    if (!done)
        removeOutput(m_path);
    return done;
}

void FileDeliverySink::abort()
{
    if (m_file && !m_direct)
        static_cast<QSaveFile*>(m_file.get())->cancelWriting();
    m_file.reset();
    removeOutput(m_path);
}

void FileDeliverySink::showWriteFailure()
{
    qrl::ui().message(qrl::text(ids::kCouldNotCreateFile) + QStringLiteral("\n\n") + m_path, qrl::Buttons::Ok,
                      qrl::Icon::Warning);
}

void FileDeliverySink::removeOutput(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && !info.isSymLink())
        QFile::remove(path);
}

} // namespace qrl::build
