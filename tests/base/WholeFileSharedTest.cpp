// The one writer when a file is shared: saves of one file at once without unnamed files, a save in
// place whose file is replaced or removed meanwhile, and a save in place killed at each moment.
#include "RunAs.h"
#include "TempCwd.h"
#include "WholeFile.h"
#include "WriteFaults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using qrl::WriteError;
using qrl::test::WriteStep;

namespace {

std::string pattern(std::size_t size, char first)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(first + i % 23);
    return bytes;
}

bool save(const std::string& path, const std::string& bytes)
{
    return qrl::writeWholeFile(path, bytes.data(), bytes.size());
}

// A save in a forked child, as another program makes it: its exit status is 0 when the step answered
// true, 1 when false, 128 + the signal that ended it.
pid_t startChild(const std::function<bool()>& step)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(step() ? 0 : 1);
    return child;
}

int waitChild(pid_t child)
{
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Saves each of `contents` to `path` in a child of its own, all let go at the same moment; their
// exit statuses.
std::vector<int> saveTogether(const std::string& path, std::initializer_list<const std::string*> contents)
{
    int gate[2];
    if (::pipe(gate) != 0)
        return {};
    std::vector<pid_t> savers;
    for (const std::string* bytes : contents) {
        savers.push_back(startChild([&, bytes] {
            ::close(gate[1]);
            char wait = 0;
            (void)!::read(gate[0], &wait, 1);
            return save(path, *bytes);
        }));
    }
    ::close(gate[1]);
    ::close(gate[0]);
    std::vector<int> statuses;
    for (const pid_t saver : savers)
        statuses.push_back(waitChild(saver));
    return statuses;
}

mode_t modeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

class SharedFile : public testing::Test {
protected:
    void TearDown() override { qrl::clearInjectedWriteFault(); }
};

} // namespace

// As on vfat, NFS or CIFS: every save of the file needs a named new file. Save A waits before its
// sync while save B runs whole; B leaves A's file alone, and each answer tells what happened.
TEST_F(SharedFile, SavesAtOnceWithoutUnnamedFilesKeepTheirOwnNewFiles)
{
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("a.s19");
    qrl::test::writeFile(path, "earlier\n");
    ::chmod(path.c_str(), 0644);
    qrl::test::refuseUnnamedFiles(true);
    const std::string first = pattern(3 << 20, 'A');
    const std::string second = pattern(2 << 20, 'a');

    // A save killed before its rename leaves its new file, which the next save removes.
    EXPECT_EQ(waitChild(startChild([&] {
                  qrl::test::killAtStep(WriteStep::Rename);
                  return save(path, second);
              })),
              128 + SIGKILL);
    const auto dead = qrl::test::filesIn(dir.path());
    ASSERT_EQ(dead.size(), 2u);

    int paused[2], resume[2];
    ASSERT_EQ(::pipe(paused), 0);
    ASSERT_EQ(::pipe(resume), 0);
    const pid_t a = startChild([&] {
        qrl::test::atStep(WriteStep::Sync, 1, [&] {
            char c = 'p';
            (void)!::write(paused[1], &c, 1);
            (void)!::read(resume[0], &c, 1);
        });
        return save(path, first);
    });
    char c = 0;
    ASSERT_EQ(::read(paused[0], &c, 1), 1);
    const auto running = qrl::test::filesIn(dir.path());
    ASSERT_EQ(running.size(), 2u);
    EXPECT_NE(running, dead);

    EXPECT_EQ(waitChild(startChild([&] { return save(path, second); })), 0);
    EXPECT_TRUE(qrl::test::readFile(path) == second);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), running);
    EXPECT_EQ(::write(resume[1], "r", 1), 1);
    EXPECT_EQ(waitChild(a), 0);
    EXPECT_TRUE(qrl::test::readFile(path) == first);
    EXPECT_EQ(modeOf(path), 0644u);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"a.s19"});
    for (const int fd : {paused[0], paused[1], resume[0], resume[1]})
        ::close(fd);

    // Started together, again and again: both answer success and the file is one of them whole.
    for (int round = 0; round < 20; ++round) {
        EXPECT_EQ(saveTogether(path, {&first, &second}), (std::vector<int>{0, 0})) << "round " << round;
        const std::string now = qrl::test::readFile(path);
        EXPECT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
        EXPECT_EQ(modeOf(path), 0644u);
        EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"a.s19"});
    }
}

// Two saves in place of one file (it has a second link) take turns: the file ends as one of them
// whole, and neither leaves its backup.
TEST_F(SharedFile, SavesInPlaceAtOnceTakeTurns)
{
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("a.s19");
    qrl::test::writeFile(path, "earlier\n");
    fs::create_hard_link(path, dir.file("other.s19"));
    const std::string first = pattern(4 << 20, 'A');
    const std::string second = pattern(3 << 20, 'a');
    for (int round = 0; round < 10; ++round) {
        EXPECT_EQ(saveTogether(path, {&first, &second}), (std::vector<int>{0, 0})) << "round " << round;
        const std::string now = qrl::test::readFile(dir.file("other.s19"));
        EXPECT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
        EXPECT_EQ(qrl::test::filesIn(dir.path()), (std::vector<std::string>{"a.s19", "other.s19"}));
    }
}

namespace {

struct MeddleCase {
    const char* name;
    WriteStep step; // the reserve, before the first byte; the truncate to the new length, before the answer
    bool remove;    // else another file is moved onto the name
};

class SaveInPlaceMeddled : public testing::TestWithParam<MeddleCase> {
protected:
    void TearDown() override { qrl::clearInjectedWriteFault(); }
};

} // namespace

// A save in place whose name stops naming its file fails as Replaced and leaves no copy behind;
// before the first byte the file (here its other link) keeps its earlier content.
TEST_P(SaveInPlaceMeddled, FailsAndSaysSo)
{
    const MeddleCase& c = GetParam();
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("a.s19");
    const std::string earlier = "earlier\n";
    qrl::test::writeFile(path, earlier);
    fs::create_hard_link(path, dir.file("other.s19"));
    qrl::test::atStep(c.step, 1, [&] {
        if (c.remove) {
            ::unlink(path.c_str());
        } else {
            qrl::test::writeFile(dir.file("moved.s19"), "someone else's\n");
            fs::rename(dir.file("moved.s19"), path);
        }
    });
    const std::string bytes = pattern(300000, 'A');
    WriteError error = WriteError::None;
    int number = 0;
    EXPECT_FALSE(qrl::writeWholeFile(path, bytes.data(), bytes.size(), &error, &number));
    EXPECT_EQ(error, WriteError::Replaced);
    EXPECT_EQ(number, ESTALE);
    EXPECT_TRUE(qrl::test::readFile(dir.file("other.s19")) ==
                (c.step == WriteStep::Reserve ? earlier : bytes));
    if (c.remove) {
        EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"other.s19"});
    } else {
        EXPECT_EQ(qrl::test::readFile(path), "someone else's\n");
        EXPECT_EQ(qrl::test::filesIn(dir.path()), (std::vector<std::string>{"a.s19", "other.s19"}));
    }
    EXPECT_TRUE(qrl::backupsOf(path).empty());
}

INSTANTIATE_TEST_SUITE_P(Meddled, SaveInPlaceMeddled,
                         testing::Values(MeddleCase{"ReplacedBeforeTheFirstByte", WriteStep::Reserve, false},
                                         MeddleCase{"RemovedBeforeTheFirstByte", WriteStep::Reserve, true},
                                         MeddleCase{"ReplacedBeforeTheAnswer", WriteStep::Truncate, false},
                                         MeddleCase{"RemovedBeforeTheAnswer", WriteStep::Truncate, true}),
                         [](const testing::TestParamInfo<MeddleCase>& param) {
                             return std::string(param.param.name);
                         });

namespace {

enum class After { Earlier, Mixed, New };

struct KillCase {
    const char* name;
    void (*arm)();
    After file;
};

constexpr std::size_t kNewSize = 8 << 20;
constexpr std::size_t kEarlierSize = 6 << 20;

constexpr KillCase kKills[] = {
    {"GatheringTheNewContent", [] { qrl::test::killWhenWritten(1 << 20); }, After::Earlier},
    {"BackupNotSynced", [] { qrl::test::killAtStep(WriteStep::Sync, 1); }, After::Earlier},
    {"AtTheReserve", [] { qrl::test::killAtStep(WriteStep::Reserve); }, After::Earlier},
    {"HalfOverwritten", [] { qrl::test::killWhenWrittenInPlace(kNewSize / 2); }, After::Mixed},
    {"OverwrittenNotSynced", [] { qrl::test::killAtStep(WriteStep::Sync, 2); }, After::New},
    {"BeforeTheBackupGoes", [] { qrl::test::killAtStep(WriteStep::Remove); }, After::New},
};

// The kill moment, and who saves: as the owner, a file with a second link; as user 1001, a file of
// that user in a folder of root (its backup goes to the temporary folder).
class KilledSaveInPlace : public testing::TestWithParam<std::tuple<KillCase, bool>> {
protected:
    void SetUp() override
    {
        if (std::get<1>(GetParam()) && qrl::test::rootReason())
            GTEST_SKIP() << qrl::test::rootReason();
        const char* tmp = std::getenv("TMPDIR");
        if (tmp)
            m_tmpdir = tmp;
    }
    void TearDown() override
    {
        qrl::clearInjectedWriteFault();
        if (m_tmpdir)
            ::setenv("TMPDIR", m_tmpdir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    std::optional<std::string> m_tmpdir;
};

} // namespace

TEST_P(KilledSaveInPlace, LeavesTheEarlierContentWholeInTheFileOrItsBackup)
{
    const auto& [kill, asUser] = GetParam();
    qrl::test::TempDirectory top;
    ::chmod(top.path().c_str(), 0755);
    const std::string folder = top.file("work");
    const std::string tmp = top.file("tmp");
    fs::create_directory(folder);
    fs::create_directory(tmp);
    ::chmod(tmp.c_str(), 01777);
    const std::string path = folder + "/card.s19";
    const std::string earlier = pattern(kEarlierSize, 'a');
    qrl::test::writeFile(path, earlier);
    ::chmod(path.c_str(), 0640);
    if (asUser)
        ASSERT_EQ(::chown(path.c_str(), 1001, 1001), 0);
    else
        fs::create_hard_link(path, top.file("other.s19"));
    ::setenv("TMPDIR", tmp.c_str(), 1);
    const auto run = [&](const std::function<bool()>& step) {
        return asUser ? qrl::test::runAs({1001, 1001}, 0, step) : waitChild(startChild(step));
    };

    const std::string bytes = pattern(kNewSize, 'A');
    EXPECT_EQ(run([&] {
                  kill.arm();
                  return save(path, bytes);
              }),
              128 + SIGKILL);
    const std::string now = qrl::test::readFile(path);
    switch (kill.file) {
    case After::Earlier:
        EXPECT_TRUE(now == earlier);
        break;
    case After::Mixed:
        EXPECT_TRUE(now != earlier && now != bytes);
        break;
    case After::New:
        EXPECT_TRUE(now == bytes);
        break;
    }
    std::vector<std::string> backups = qrl::backupsOf(path);
    if (kill.file != After::Earlier) {
        ASSERT_EQ(backups.size(), 1u);
    }
    for (const std::string& backup : backups) {
        EXPECT_TRUE(qrl::test::readFile(backup) == earlier) << backup;
        EXPECT_EQ(modeOf(backup), asUser ? 0600u : 0640u) << backup;
        EXPECT_EQ(fs::path(backup).parent_path().string(), asUser ? tmp : folder) << backup;
    }

    // The next save succeeds. A backup that holds what the file held goes; one the file lacks stays.
    const std::string next = pattern(kEarlierSize / 2, '0');
    EXPECT_EQ(run([&] { return save(path, next); }), 0);
    EXPECT_TRUE(qrl::test::readFile(path) == next);
    EXPECT_EQ(modeOf(path), 0640u);
    const std::vector<std::string> kept = qrl::backupsOf(path);
    EXPECT_EQ(kept.size(), kill.file == After::Earlier ? 0u : 1u);
    for (const std::string& backup : kept)
        EXPECT_TRUE(qrl::test::readFile(backup) == earlier) << backup;
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledSaveInPlace,
                         testing::Combine(testing::ValuesIn(kKills), testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<KillCase, bool>>& param) {
                             return std::string(std::get<0>(param.param).name) +
                                    (std::get<1>(param.param) ? "AsAUserInAFolderOfRoot"
                                                              : "ThroughASecondLink");
                         });
