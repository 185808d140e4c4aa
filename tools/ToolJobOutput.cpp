#include "ToolJobOutput.h"

#include "FileMessages.h"

#include <QDir>
#include <QSaveFile>

namespace {

constexpr int kFileErrorFormat = 2400;
constexpr int kReadOnlyHint = 2231;

} // namespace

ToolJobOutput::ToolJobOutput(qrl::Spooler& spooler, const QString& printer)
    : m_spooler(&spooler), m_printer(printer.toStdString())
{
}

ToolJobOutput::ToolJobOutput(const QString& path)
    : m_path(path)
{
}

ToolJobOutput::~ToolJobOutput()
{
    abort();
}

bool ToolJobOutput::fail(qrl::SpoolStatus status)
{
    m_lastError = std::move(status);
    abort();
    return false;
}

bool ToolJobOutput::fileFailure(qrl::SpoolError error)
{
    const QString text = m_file->errorString();
    fail(qrl::SpoolStatus::failure(error, text.toStdString()));
    ShowFileError(kFileErrorFormat, text, kReadOnlyHint, QDir::toNativeSeparators(m_path));
    return false;
}

bool ToolJobOutput::begin(const QString& document)
{
    if (m_broken || m_open)
        return false;
    if (toFile()) {
        if (!m_file) {
            m_file = std::make_unique<QSaveFile>(m_path);
            if (!m_file->open(QIODevice::WriteOnly))
                return fileFailure(qrl::SpoolError::OpenFailed);
        }
    } else {
        qrl::SpoolStatus status;
        m_job = m_spooler->openJob(m_printer, document.toStdString(), status);
        if (!m_job)
            return fail(status);
    }
    m_open = true;
    return true;
}

bool ToolJobOutput::write(const QByteArray& bytes)
{
    return write(bytes.constData(), bytes.size());
}

bool ToolJobOutput::write(const char* data, qint64 size)
{
    if (m_broken || !m_open)
        return false;
    if (toFile()) {
        return m_file->write(data, size) == size || fileFailure(qrl::SpoolError::WriteFailed);
    }
    qrl::SpoolStatus status = m_job->write(data, static_cast<std::size_t>(size));
    return status.ok() || fail(std::move(status));
}

bool ToolJobOutput::end()
{
    if (m_broken || !m_open)
        return false;
    m_open = false;
    if (toFile())
        return true;
    qrl::SpoolStatus status = m_job->finish();
    m_job.reset();
    return status.ok() || fail(std::move(status));
}

void ToolJobOutput::abort()
{
    if (m_job)
        m_job->abort();
    m_job.reset();
    if (m_file)
        m_file->cancelWriting();
    m_open = false;
    m_broken = true;
}

bool ToolJobOutput::commit()
{
    if (m_broken)
        return false;
    if (m_open && !end())
        return false;
    if (!toFile())
        return true;
    // Nothing sent leaves the file as it is.
    if (!m_file)
        return true;
    // A failed flush is not always reported by commit(), which would put a file cut short in place.
    if (!m_file->flush() || !m_file->commit())
        return fileFailure(qrl::SpoolError::FinishFailed);
    m_file.reset();
    return true;
}
