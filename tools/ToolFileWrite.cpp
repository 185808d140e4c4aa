#include "ToolFileWrite.h"

#include "UserInterface.h"

#include <QDir>
#include <QFileInfo>

namespace qrl::toolfile {

void showWriteFailure(qrl::WriteError error, const QString& path)
{
    qrl::ui().message(qrl::writeFailureText(error, path), qrl::Buttons::Ok, qrl::Icon::Warning);
}

bool writeFile(const QString& path, const QByteArray& bytes, qrl::WriteError* error)
{
    qrl::WriteError reason = qrl::WriteError::None;
    const bool written = qrl::writeWholeFile(qrl::nativePath(path), bytes.constData(),
                                             static_cast<std::size_t>(bytes.size()), &reason);
    if (error)
        *error = reason;
    if (!written)
        showWriteFailure(reason, path);
    return written;
}

bool isSameFile(const QString& a, const QString& b)
{
    const QFileInfo left(a);
    const QFileInfo right(b);
    const QString canonicalLeft = left.canonicalFilePath();
    if (!canonicalLeft.isEmpty() && canonicalLeft == right.canonicalFilePath())
        return true;
    return QDir::cleanPath(left.absoluteFilePath()) == QDir::cleanPath(right.absoluteFilePath());
}

} // namespace qrl::toolfile
