#include "TempDir.h"

#include <QByteArray>
#include <QDir>

#include <cstdlib>
#include <vector>

namespace qrl {

namespace {

QString runDir;

QString makeDir(const QString& parent, const QString& prefix)
{
    QByteArray templ = QFile::encodeName(parent + QLatin1Char('/') + prefix + QStringLiteral("-XXXXXX"));
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        return {};
    return QFile::decodeName(buf.data());
}

} // namespace

QString runTempDir()
{
    if (runDir.isEmpty() || !QDir(runDir).exists()) {
        const char* env = std::getenv("TMPDIR");
        const QString parent = env && *env ? QFile::decodeName(env) : QStringLiteral("/tmp");
        runDir = makeDir(parent, QStringLiteral("Quorlyn32"));
    }
    return runDir;
}

void removeRunTempDir()
{
    if (!runDir.isEmpty())
        QDir(runDir).removeRecursively();
    runDir.clear();
}

QString makeJobDir(const QString& prefix)
{
    const QString parent = runTempDir();
    return parent.isEmpty() ? QString() : makeDir(parent, prefix);
}

} // namespace qrl
