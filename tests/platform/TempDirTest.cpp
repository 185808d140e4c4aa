#include "TempDir.h"

#include "PlatformTextIds.h"
#include "RunAs.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

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

namespace {

namespace fs = std::filesystem;

// $TMPDIR set to `dir` while the object lives, with no run directory made before it.
class TmpDirAt {
public:
    explicit TmpDirAt(const std::string& dir)
    {
        const char* old = std::getenv("TMPDIR");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        qrl::removeRunTempDir();
        ::setenv("TMPDIR", dir.c_str(), 1);
    }
    ~TmpDirAt()
    {
        qrl::removeRunTempDir();
        if (m_had)
            ::setenv("TMPDIR", m_old.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    bool m_had = false;
    std::string m_old;
};

// A child that makes its own run directory, sends its path, and then waits for a line from the
// parent before it runs `then`; its exit status is `then`'s answer (0 true, 1 false).
struct ChildRun {
    pid_t pid = -1;
    std::string dir;
    int go = -1;

    void start(qrl::test::Ids ids, gid_t group, const std::function<bool()>& then)
    {
        int toParent[2];
        int toChild[2];
        if (::pipe(toParent) != 0 || ::pipe(toChild) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            const gid_t groups[1] = {group};
            if (ids.uid != ::geteuid() && (::setgroups(group != 0 ? 1 : 0, groups) != 0 ||
                                           ::setgid(ids.gid) != 0 || ::setuid(ids.uid) != 0))
                ::_exit(3);
            qrl::removeRunTempDir(); // the parent's, only forgotten here
            const QByteArray made = QFile::encodeName(qrl::runTempDir());
            if (::write(toParent[1], made.constData(), static_cast<size_t>(made.size())) != made.size())
                ::_exit(4);
            ::close(toParent[1]);
            char c;
            if (::read(toChild[0], &c, 1) != 1)
                ::_exit(5);
            ::_exit(then() ? 0 : 1);
        }
        ::close(toParent[1]);
        ::close(toChild[0]);
        go = toChild[1];
        char buf[4096];
        const ssize_t got = ::read(toParent[0], buf, sizeof buf);
        ::close(toParent[0]);
        dir = got > 0 ? std::string(buf, static_cast<std::size_t>(got)) : std::string();
    }
    // Lets the child go on and answers its exit status (128 + the signal that ended it).
    int finish()
    {
        const bool sent = ::write(go, "g", 1) == 1;
        ::close(go);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return !sent ? -1 : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }
};

void putFile(const std::string& path)
{
    qrl::test::writeFile(path, "x");
}

} // namespace

// However the directory at the run's name was exchanged or changed, the run no longer uses it: the
// use fails with a message naming it, what another put there stays, and the next use makes a new one.
TEST(TempDir, ARunDirectoryExchangedOrChangedIsNeverUsed)
{
    qrl::test::TempDirectory tmp;
    const TmpDirAt at(tmp.path());
    qrl::test::ScriptedUserInterface ui;
    enum class Use { RunDirectory, NewJob, HeldJob };
    struct Case {
        const char* what;
        void (*change)(const std::string& run, const std::string& aside);
        Use use;            // the use that finds it
        std::string theirs; // what another put there, relative to the folder, to be kept
    };
    const Case cases[] = {
        {"renamed, another folder in its place",
         [](const std::string& run, const std::string& aside) {
             fs::rename(run, aside);
             fs::create_directory(run);
             ::chmod(run.c_str(), 0700);
             putFile(run + "/theirs");
         },
         Use::RunDirectory, "/theirs"},
        {"renamed, a link to it in its place",
         [](const std::string& run, const std::string& aside) {
             fs::rename(run, aside);
             fs::create_directory(aside + "-target");
             putFile(aside + "-target/theirs");
             fs::create_directory_symlink(aside + "-target", run);
         },
         Use::NewJob, "/theirs"},
        {"opened to others", [](const std::string& run, const std::string&) { ::chmod(run.c_str(), 0777); },
         Use::HeldJob, ""},
    };
    for (const Case& c : cases) {
        ui.clear();
        qrl::removeRunTempDir();
        const std::string run = QFile::encodeName(qrl::runTempDir()).toStdString();
        ASSERT_FALSE(run.empty()) << c.what;
        const QString job = qrl::makeJobDir(QStringLiteral("held"));
        ASSERT_TRUE(qrl::jobDirStands(job)) << c.what;
        const std::string aside = tmp.file("aside");
        c.change(run, aside);
        switch (c.use) {
        case Use::RunDirectory:
            EXPECT_TRUE(qrl::runTempDir().isEmpty()) << c.what;
            break;
        case Use::NewJob:
            EXPECT_TRUE(qrl::makeJobDir(QStringLiteral("build")).isEmpty()) << c.what;
            break;
        case Use::HeldJob:
            EXPECT_FALSE(qrl::jobDirStands(job)) << c.what;
            break;
        }
        ASSERT_EQ(ui.shown().size(), 1) << c.what;
        EXPECT_TRUE(ui.shown()[0].text.contains(QFile::decodeName(run.c_str()))) << c.what;
        if (!c.theirs.empty()) {
            EXPECT_TRUE(fs::exists(run + c.theirs)) << c.what;
        }
        const QString next = qrl::runTempDir();
        EXPECT_FALSE(next.isEmpty()) << c.what;
        EXPECT_NE(next.toStdString(), run) << c.what;
        qrl::removeRunTempDir();
        fs::remove_all(run);
        fs::remove_all(aside);
        fs::remove_all(aside + "-target");
    }
}

// In a folder a group may write but without the sticky bit, a member of the group renames another
// member's run directory and puts their own in its place: the run does not use it.
TEST(TempDir, AnotherUsersDirectoryInPlaceOfTheRunsIsRefused)
{
    if (qrl::test::rootReason())
        GTEST_SKIP() << qrl::test::rootReason();
    qrl::test::TempDirectory tmp;
    const std::string shared = tmp.file("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(tmp.path().c_str(), 0755), 0);
    ASSERT_EQ(::chown(shared.c_str(), 0, 2000), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0770), 0);
    const TmpDirAt at(shared);
    ChildRun victim;
    victim.start({1001, 1001}, 2000, [] {
        qrl::test::ScriptedUserInterface ui;
        return qrl::makeJobDir(QStringLiteral("build")).isEmpty() && ui.shown().size() == 1;
    });
    ASSERT_FALSE(victim.dir.empty());
    const std::string run = victim.dir;
    EXPECT_EQ(qrl::test::runAs({1002, 1002}, 2000,
                               [&run] {
                                   std::error_code ec;
                                   fs::rename(run, run + "-moved", ec);
                                   return !ec && ::mkdir(run.c_str(), 0777) == 0 &&
                                          ::chmod(run.c_str(), 0777) == 0;
                               }),
              0);
    EXPECT_EQ(victim.finish(), 0);
    EXPECT_TRUE(fs::is_empty(run));
}

// The directories of runs that were killed go when the next run makes its own; one of a run still
// going, one of another user, and anything else in the folder stay.
TEST(TempDir, DirectoriesOfEndedRunsAreRemovedAtTheNextStart)
{
    qrl::test::TempDirectory tmp;
    ASSERT_EQ(::chmod(tmp.path().c_str(), 01777), 0);
    const TmpDirAt at(tmp.path());
    const qrl::test::Ids me{::geteuid(), ::getegid()};
    ChildRun killed;
    killed.start(me, 0, [] {
        for (int i = 0; i < 256; ++i)
            putFile(QFile::encodeName(qrl::runTempDir()).toStdString() + "/r" + std::to_string(i));
        return ::raise(SIGKILL) == 0;
    });
    ChildRun quit;
    quit.start(me, 0, [] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        return ::raise(SIGQUIT) == 0;
    });
    ChildRun going;
    going.start(me, 0, [] { return true; });
    ChildRun other;
    const bool root = !qrl::test::rootReason();
    if (root)
        other.start({1002, 1002}, 0, [] { return ::raise(SIGKILL) == 0; });
    for (ChildRun* r : {&killed, &quit, &going})
        ASSERT_FALSE(r->dir.empty());
    EXPECT_EQ(killed.finish(), 128 + SIGKILL);
    EXPECT_EQ(quit.finish(), 128 + SIGQUIT);
    if (root) {
        EXPECT_EQ(other.finish(), 128 + SIGKILL);
    }
    fs::create_directory(tmp.file("Quorlyn32-notarun"));
    fs::create_directory(tmp.file("Quorlyn32-12-x"));
    fs::create_directory(tmp.file("Quorlyn32-1-ABCDEF")); // the pid of a process still running

    qrl::removeRunTempDir();
    const QString mine = qrl::runTempDir();
    ASSERT_FALSE(mine.isEmpty());
    EXPECT_FALSE(fs::exists(killed.dir));
    EXPECT_FALSE(fs::exists(quit.dir));
    EXPECT_TRUE(fs::is_directory(going.dir));
    EXPECT_TRUE(fs::is_directory(tmp.file("Quorlyn32-notarun")));
    EXPECT_TRUE(fs::is_directory(tmp.file("Quorlyn32-12-x")));
    EXPECT_TRUE(fs::is_directory(tmp.file("Quorlyn32-1-ABCDEF")));
    if (root) {
        EXPECT_TRUE(fs::is_directory(other.dir));
    }
    EXPECT_EQ(going.finish(), 0);
}
