// The settings file shared by running programs: the lock, the journal of changes and the batches of
// one user action.
#include "FileSave.h"
#include "ScriptedUserInterface.h"
#include "SettingsProfile.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"
#include "TextIds.h"
#include "WriteFaults.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace {

const QString kSection = QStringLiteral("Sharing");

QString lockOf(const QString& path)
{
    return path + QStringLiteral(".lock");
}

// Another running program's store: the file rewritten whole with one more value, as that program
// does it while it holds the lock (here the test holds it, or nobody). QSettings itself would wait
// for the lock, so it works on a copy under a name of its own.
void storeAsAnotherProgram(const QString& path, const QString& key, const QString& value)
{
    static int serial = 0;
    const QString copy = path + QStringLiteral(".other%1").arg(++serial);
    QFile::copy(path, copy);
    {
        QSettings other(copy, QSettings::IniFormat);
        other.setValue(key, value);
    }
    qrl::test::writeFile(path.toStdString(), qrl::test::readFile(copy.toStdString()));
    QFile::remove(copy);
}

} // namespace

// A removal goes into the file once; what another program writes into the section afterwards stays.
TEST(SettingsSharing, ARemovedSectionIsRemovedOnce)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    qrl::test::ScriptedUserInterface ui;
    qrl::SettingsProfile p(path);
    ASSERT_TRUE(p.setString("File Mappings", "Map #0", "ttf;FONT;True Type Font"));
    ASSERT_TRUE(p.removeSection("File Mappings"));
    storeAsAnotherProgram(path, QStringLiteral("File Mappings/Map #0"), QStringLiteral("fon;FONT;Other"));
    ASSERT_TRUE(p.setString("Settings", "version", "1"));
    // Also when the removal had to wait for a later write.
    ASSERT_TRUE(p.removeSection("Options"));
    {
        QLockFile held(lockOf(path));
        ASSERT_TRUE(held.tryLock(0));
        ASSERT_TRUE(p.removeSection("File Mappings"));
    }
    ASSERT_TRUE(p.setString("Settings", "LogLevel", "1"));
    storeAsAnotherProgram(path, QStringLiteral("File Mappings/Map #1"), QStringLiteral("pcl;MACRO;Other"));
    ASSERT_TRUE(p.setString("Settings", "LogLevel", "2"));

    const qrl::SettingsProfile stored(path);
    EXPECT_EQ(stored.valueNames("File Mappings"), QStringList{QStringLiteral("Map #1")});
    EXPECT_EQ(stored.getString("Settings", "LogLevel"), QStringLiteral("2"));
    EXPECT_TRUE(ui.shown().empty());
}

// While another program holds the lock a store waits a moment only, keeps its values and answers
// true; they land with the next write. At the end of the run the write waits longer, and when the
// lock stays taken the user is told once.
TEST(SettingsSharing, AStoreDefersWhileAnotherProgramHoldsTheLock)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    qrl::test::ScriptedUserInterface ui;
    qrl::SettingsProfile p(path);
    ASSERT_TRUE(p.setString(kSection, "First", "1"));
    const std::string before = qrl::test::readFile(path.toStdString());
    {
        QLockFile held(lockOf(path));
        ASSERT_TRUE(held.tryLock(0));
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(p.setString(kSection, "Second", "2"));
        EXPECT_TRUE(p.removeValue(kSection, "First"));
        // Neither store waits for the lock: a wait would take seconds, a busy machine a few hundred ms.
        EXPECT_LT(timer.elapsed(), 2500);
        EXPECT_EQ(qrl::test::readFile(path.toStdString()), before);
        EXPECT_EQ(p.getString(kSection, "Second"), QStringLiteral("2"));
        storeAsAnotherProgram(path, QStringLiteral("Sharing/Other"), QStringLiteral("o"));
    }
    ASSERT_TRUE(p.setString(kSection, "Third", "3"));
    const qrl::SettingsProfile stored(path);
    EXPECT_EQ(stored.valueNames(kSection), (QStringList{"Other", "Second", "Third"}));
    EXPECT_TRUE(ui.shown().empty());

    // The last write of a run, with the lock still held when its wait is over.
    p.setExitLockWait(200);
    QLockFile held(lockOf(path));
    ASSERT_TRUE(held.tryLock(0));
    for (int attempt = 0; attempt < 2; ++attempt) {
        qrl::ProfileBatch shutdown(p, qrl::LockWait::AtExit);
        ASSERT_TRUE(p.setString(kSection, "Fourth", "4"));
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(shutdown.commit());
        EXPECT_GE(timer.elapsed(), 200);
    }
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts()[0], qrl::formatText(qrl::text(qrl::ids::kSettingsLocked), {path}));
    held.unlock();
    qrl::ProfileBatch shutdown(p, qrl::LockWait::AtExit);
    EXPECT_TRUE(shutdown.commit());
    EXPECT_EQ(qrl::SettingsProfile(path).getString(kSection, "Fourth"), QStringLiteral("4"));
}

// The stores of a batch reach the file together at its end; a failed write is answered false with
// the cause for the caller to tell, and the values stay for the next write.
TEST(SettingsSharing, ABatchWritesOnceAndReportsItsFailureToTheCaller)
{
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    qrl::test::ScriptedUserInterface ui;
    qrl::SettingsProfile p(path);
    {
        qrl::ProfileBatch action(p);
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(p.setInt(kSection, QStringLiteral("V%1").arg(i), i));
        ASSERT_TRUE(p.removeValue(kSection, "V3"));
        EXPECT_FALSE(QFileInfo::exists(path));
        const qrl::test::SyncCalls before = qrl::test::syncCalls();
        ASSERT_TRUE(action.commit());
        const qrl::test::SyncCalls after = qrl::test::syncCalls();
        EXPECT_LE(after.dataSyncs + after.fullSyncs - before.dataSyncs - before.fullSyncs, 5);
    }
    EXPECT_EQ(qrl::SettingsProfile(path).valueNames(kSection).size(), 19);

    const std::string before = qrl::test::readFile(path.toStdString());
    qrl::ProfileBatch action(p);
    ASSERT_TRUE(p.setInt(kSection, "V3", 3));
    qrl::injectWriteFault(0, ENOSPC);
    QString failure;
    EXPECT_FALSE(action.commit(&failure));
    qrl::clearInjectedWriteFault();
    EXPECT_EQ(failure, qrl::writeFailureText(qrl::WriteError::DiskFull, path));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_EQ(qrl::test::readFile(path.toStdString()), before);
    ASSERT_TRUE(p.setInt(kSection, "V4", 44));
    EXPECT_EQ(qrl::SettingsProfile(path).getInt(kSection, "V3", 0), 3);
}

// Two running programs storing a thousand values each at the same time: none is lost, and no store
// holds its program for more than a moment. The test binary runs itself twice as the two programs.
TEST(SettingsSharing, TwoProgramsStoringAtOnceLoseNothing)
{
    constexpr int kValues = 1000;
    if (const char* role = std::getenv("QRL_SETTINGS_WRITER")) {
        const QStringList args = QString::fromLocal8Bit(role).split(QLatin1Char('|'));
        ASSERT_EQ(args.size(), 2);
        qrl::test::ScriptedUserInterface ui;
        qrl::SettingsProfile p(args[0]);
        qint64 longest = 0;
        for (int i = 0; i < kValues; ++i) {
            QElapsedTimer timer;
            timer.start();
            ASSERT_TRUE(p.setInt(kSection, args[1] + QString::number(i), i));
            longest = std::max(longest, timer.elapsed());
        }
        qrl::ProfileBatch exit(p, qrl::LockWait::AtExit);
        ASSERT_TRUE(exit.commit());
        EXPECT_TRUE(ui.shown().empty());
        // No store waits out the other program's lock (that took 5 s a store); what is left is the
        // write itself, which a busy disk may stretch.
        EXPECT_LT(longest, 5000);
        std::cout << "longest store: " << longest << " ms\n";
        return;
    }
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.file("Quorlyn32.conf"));
    QProcess programs[2];
    const char* names[2] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QRL_SETTINGS_WRITER"), path + QLatin1Char('|') + QLatin1String(names[i]));
        programs[i].setProcessEnvironment(env);
        programs[i].setProcessChannelMode(QProcess::ForwardedChannels);
        programs[i].start(
            QStringLiteral("/proc/self/exe"),
            {QStringLiteral("--gtest_filter=SettingsSharing.TwoProgramsStoringAtOnceLoseNothing")});
    }
    for (QProcess& program : programs) {
        ASSERT_TRUE(program.waitForFinished(300000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }
    const qrl::SettingsProfile stored(path);
    EXPECT_EQ(stored.valueNames(kSection).size(), 2 * kValues);
    for (const char* name : names)
        for (int i = 0; i < kValues; ++i)
            ASSERT_EQ(stored.getInt(kSection, QLatin1String(name) + QString::number(i), -1), i) << name << i;
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"Quorlyn32.conf"});
}
