#include "OutputFileCheck.h"

#include "FileSave.h"

#include <QFileInfo>

#include <cerrno>

#include <unistd.h>

namespace qrl::printing {

bool canWriteOutput(const QString& path, qrl::WriteError& error)
{
    const std::string native = qrl::nativePath(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        if (info.isDir()) {
            error = qrl::WriteError::NotRegularFile;
            return false;
        }
        if (::access(native.c_str(), W_OK) != 0) {
            error = qrl::writeErrorFromErrno(errno);
            return false;
        }
        return true;
    }
    qrl::WholeFileWriter probe;
    if (!probe.open(native)) {
        error = probe.error();
        return false;
    }
    probe.abandon();
    return true;
}

} // namespace qrl::printing
