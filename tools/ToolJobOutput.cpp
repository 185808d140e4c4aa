#include "ToolJobOutput.h"

#include "JobOutcomeText.h"
#include "ToolFileWrite.h"

ToolJobOutput::ToolJobOutput(qrl::Spooler& spooler, const QString& printer)
    : m_spooler(&spooler), m_printer(printer.toStdString())
{
}

ToolJobOutput::ToolJobOutput(const QString& path) : m_path(path)
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
    const qrl::WriteError reason = m_file ? m_file->error() : qrl::WriteError::Other;
    fail(qrl::SpoolStatus::failure(error, qrl::writeFailureText(reason, m_path).toStdString()));
    qrl::toolfile::showWriteFailure(reason, m_path);
    return false;
}

bool ToolJobOutput::begin(const QString& document)
{
    if (m_broken || m_open)
        return false;
    if (toFile()) {
        if (!m_file) {
            m_file = std::make_unique<qrl::WholeFileWriter>();
            if (!m_file->open(qrl::nativePath(m_path)))
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
    if (toFile())
        return m_file->write(data, static_cast<std::size_t>(size)) ||
               fileFailure(qrl::SpoolError::WriteFailed);
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
    if (status.ok()) {
        const qrl::JobOutcome outcome = m_job->follow();
        status = qrl::outcomeStatus(outcome);
        const QString note = qrl::printing::waitingNote(outcome);
        if (!note.isEmpty())
            m_waitingNote = note;
    }
    m_job.reset();
    return status.ok() || fail(std::move(status));
}

void ToolJobOutput::abort()
{
    if (m_job)
        m_job->abort();
    m_job.reset();
    if (m_file)
        m_file->abandon();
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
    // Nothing sent leaves the path as it is: no file is made and an earlier one is not touched.
    if (!m_file)
        return true;
    if (!m_file->commit())
        return fileFailure(qrl::SpoolError::FinishFailed);
    m_file.reset();
    return true;
}
