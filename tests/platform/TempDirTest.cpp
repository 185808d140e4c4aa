#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

TEST(TempDir, RunDirectoryIsPrivateAndRemovedWhole)
{
    const QString run = qrl::runTempDir();
    ASSERT_FALSE(run.isEmpty());
    EXPECT_EQ(qrl::runTempDir(), run);
    QFileInfo info(run);
    EXPECT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() &
                  (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
              QFile::Permissions());
    const QString job = qrl::makeJobDir(QStringLiteral("build"));
    ASSERT_TRUE(job.startsWith(run + QLatin1Char('/')));
    EXPECT_NE(qrl::makeJobDir(QStringLiteral("build")), job);
    QFile f(job + QStringLiteral("/SLT00000.SLT"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    qrl::removeRunTempDir();
    EXPECT_FALSE(QFileInfo::exists(run));
}

// A process that ends without the orderly removal (a test binary, an exit from deep inside) leaves no
// directory behind; a forked child's exit leaves its parent's directory alone.
TEST(TempDir, RunDirectoryGoesAtExitOfItsMakerOnly)
{
    qrl::removeRunTempDir(); // the child must make its own, not inherit one from an earlier test
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const QByteArray made = QFile::encodeName(qrl::runTempDir());
        const bool written =
            write(pipeFds[1], made.constData(), static_cast<size_t>(made.size())) == made.size();
        std::exit(written ? 0 : 1);
    }
    close(pipeFds[1]);
    char buf[4096];
    const ssize_t got = read(pipeFds[0], buf, sizeof buf);
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_GT(got, 0);
    const QString childsDir = QFile::decodeName(QByteArray(buf, static_cast<int>(got)));
    EXPECT_TRUE(childsDir.contains(QStringLiteral("Quorlyn32-")));
    EXPECT_FALSE(QFileInfo::exists(childsDir));

    const QString run = qrl::runTempDir();
    ASSERT_FALSE(run.isEmpty());
    const pid_t forked = fork();
    ASSERT_GE(forked, 0);
    if (forked == 0)
        std::exit(0);
    ASSERT_EQ(waitpid(forked, &status, 0), forked);
    EXPECT_TRUE(QFileInfo(run).isDir());
    qrl::removeRunTempDir();
}
