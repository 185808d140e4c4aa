#include "BuildWorkspace.h"

#include "TempDir.h"

#include <QDir>

namespace qrl::build {

bool BuildWorkspace::enter()
{
    const QString previous = QDir::currentPath();
    const QString path = qrl::makeJobDir(QStringLiteral("build"));
    if (path.isEmpty())
        return false;
    if (!QDir::setCurrent(path)) {
        QDir(path).removeRecursively();
        return false;
    }
    m_previous = previous;
    m_path = path;
    return true;
}

BuildWorkspace::~BuildWorkspace()
{
    if (!m_path.isEmpty()) {
        QDir::setCurrent(m_previous);
        QDir(m_path).removeRecursively();
    }
}

QString BuildWorkspace::file(const QString& name) const
{
    return m_path + QLatin1Char('/') + name;
}

} // namespace qrl::build
