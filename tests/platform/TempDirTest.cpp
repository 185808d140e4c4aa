#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

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
