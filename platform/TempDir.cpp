#include "TempDir.h"

#include <QByteArray>
#include <QDir>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace qrl {

namespace {

QString runDir;
// The process that made the directory: a forked child that exits must not take its parent's
// directory with it.
pid_t runDirOwner = 0;

QString makeDir(const QString& parent, const QString& prefix)
{
    QByteArray templ = QFile::encodeName(parent + QLatin1Char('/') + prefix + QStringLiteral("-XXXXXX"));
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        return {};
    return QFile::decodeName(buf.data());
}

// A test binary or a session that ends without the orderly shutdown must not leave the directory
// behind.
void removeAtExit()
{
    if (getpid() == runDirOwner)
        removeRunTempDir();
}

} // namespace

QString runTempDir()
{
    if (runDir.isEmpty() || !QDir(runDir).exists()) {
        const char* env = std::getenv("TMPDIR");
        const QString parent = env && *env ? QFile::decodeName(env) : QStringLiteral("/tmp");
        runDir = makeDir(parent, QStringLiteral("Quorlyn32"));
        [[maybe_unused]] static const bool registered = std::atexit(removeAtExit) == 0;
        runDirOwner = getpid();
    }
    return runDir;
}

// By the standard library alone: this also runs at exit, when Qt's own teardown may be under way.
void removeRunTempDir()
{
    if (!runDir.isEmpty()) {
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(runDir).toStdString(), ignored);
    }
    runDir.clear();
}

QString makeJobDir(const QString& prefix)
{
    const QString parent = runTempDir();
    return parent.isEmpty() ? QString() : makeDir(parent, prefix);
}

} // namespace qrl
