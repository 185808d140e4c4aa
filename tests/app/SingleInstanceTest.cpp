// One running program per user: the real program, started a second time, hands its files to the
// running one (here the test, through the same class the program uses) and ends.
#include "SingleInstance.h"
#include "CQuorlyn32Doc.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { qrl::test::ensureCoreApplication(); }

    QString runtimeDir() const { return QString::fromStdString(runtime.path()); }
    QString socketPath() const { return runtimeDir() + QStringLiteral("/Quorlyn32.socket"); }

    // Starts the program with `arguments` in `folder` on this runtime folder and serves the event
    // loop until it ends; false when it did not end within the time.
    bool runProgram(const QStringList& arguments, const QString& folder, QProcess& process)
    {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        startProgram(arguments, folder, process);
        loop.exec();
        if (process.state() == QProcess::NotRunning)
            return true;
        process.kill();
        process.waitForFinished();
        return false;
    }

    // Starts the program on the offscreen platform, with this runtime folder and settings of its own.
    void startProgram(const QStringList& arguments, const QString& folder, QProcess& process)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), runtimeDir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtimeDir() + QStringLiteral("/config"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(QUORLYN_BIN_DIR "/Quorlyn32"), arguments);
    }

    qrl::test::TempDirectory runtime;
};

// Waits, serving events, until `done` holds; false after `ms`.
bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return true;
}

} // namespace

TEST_F(SingleInstanceTest, ALaterStartHandsItsFilesToTheRunningProgramAndEnds)
{
    qrl::SingleInstance running(socketPath());
    ASSERT_FALSE(running.handOverOrListen({}));
    ASSERT_TRUE(running.isListening());
    QList<QStringList> received;
    QObject::connect(&running, &qrl::SingleInstance::filesReceived,
                     [&received](const QStringList& files) { received.append(files); });

    const qrl::test::TempDirectory elsewhere;
    const QString folder = QString::fromStdString(elsewhere.path());
    QProcess second;
    ASSERT_TRUE(runProgram({QStringLiteral("p.prj"), QStringLiteral("--"), QStringLiteral("-q.prj")}, folder,
                           second));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // Relative names are the second start's own folder's: the running program has another.
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0],
              (QStringList{folder + QStringLiteral("/p.prj"), folder + QStringLiteral("/-q.prj")}));

    // Without files the running program just comes forward.
    received.clear();
    ASSERT_TRUE(runProgram({}, folder, second));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(received, QList<QStringList>{QStringList{}});
}

// Both programs real: the first, running, opens the project that the second start names.
TEST_F(SingleInstanceTest, TheRunningProgramOpensTheProjectThatASecondStartNames)
{
    // The first program logs what it opens (level 1) into its own folder.
    QDir().mkpath(runtimeDir() + QStringLiteral("/config/Zentrix"));
    qrl::test::writeFile(runtime.file("config/Zentrix/Quorlyn32.conf"), "[Settings]\nLogLevel=1\n");
    const qrl::test::TempDirectory firstFolder;
    const qrl::test::TempDirectory secondFolder;
    const QString project = QString::fromStdString(secondFolder.file("q.prj"));
    {
        const qrl::test::ScopedProfile profile;
        CQuorlyn32Doc empty;
        ASSERT_TRUE(empty.OnSaveDocument(project));
    }

    QProcess first;
    startProgram({}, QString::fromStdString(firstFolder.path()), first);
    ASSERT_TRUE(waitFor([this] { return QFile::exists(socketPath()); }, 30000));

    QProcess second;
    ASSERT_TRUE(runProgram({QStringLiteral("q.prj")}, QString::fromStdString(secondFolder.path()), second));
    EXPECT_EQ(second.exitCode(), 0);
    const std::string log = firstFolder.file("Quorlyn32.log");
    const std::string opened = "Opening document: " + project.toStdString();
    EXPECT_TRUE(waitFor([&] { return qrl::test::readFile(log).find(opened) != std::string::npos; }, 20000))
        << qrl::test::readFile(log);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A session end closes it as its Exit command does; its socket goes with it.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(socketPath()));
}

TEST_F(SingleInstanceTest, ASocketLeftByAnEndedProgramOrNoRuntimeFolderNeverBlocksAStart)
{
    // A socket file nobody listens at any more, as a crash leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath());
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(socketPath()));

    qrl::SingleInstance started(socketPath());
    EXPECT_FALSE(started.handOverOrListen({QStringLiteral("/a.prj")}));
    EXPECT_TRUE(started.isListening());
    // A program on its way out leaves no socket behind.
    started.stopListening();
    EXPECT_FALSE(started.isListening());
    EXPECT_FALSE(QFile::exists(socketPath()));

    // No runtime folder: the program runs alone.
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_TRUE(qrl::SingleInstance::defaultSocketPath().isEmpty());
    qputenv("XDG_RUNTIME_DIR", "relative/dir");
    EXPECT_TRUE(qrl::SingleInstance::defaultSocketPath().isEmpty());
    qputenv("XDG_RUNTIME_DIR", saved);
    qrl::SingleInstance alone{QString()};
    EXPECT_FALSE(alone.handOverOrListen({QStringLiteral("/a.prj")}));
    EXPECT_FALSE(alone.isListening());
}
