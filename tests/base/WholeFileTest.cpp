// The one writer: what it leaves behind when a write fails at each step, and how it treats links,
// devices, pipes and permissions.
#include "WholeFile.h"
#include "DeviceNodes.h"
#include "RunAs.h"
#include "SmallTmpfs.h"
#include "TempCwd.h"
#include "WriteFaults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using qrl::WriteError;

namespace {

std::string pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('A' + i % 23);
    return bytes;
}

struct Case {
    const char* name;
    bool earlierFile;
    std::size_t size;
    std::size_t failAfter; // with error
    int error;
    int openError;
    WriteError expected;
};

class WholeFileFailure : public testing::TestWithParam<Case> {
protected:
    void TearDown() override { qrl::clearInjectedWriteFault(); }
};

} // namespace

TEST_P(WholeFileFailure, LeavesTheEarlierFileAndNothingBesideIt)
{
    const Case& c = GetParam();
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("out.prn");
    const std::string earlier = "the earlier file\n";
    if (c.earlierFile)
        qrl::test::writeFile(path, earlier);
    const auto before = qrl::test::filesIn(dir.path());

    qrl::injectWriteFault(c.failAfter, c.error, c.openError);
    const std::string bytes = pattern(c.size);
    WriteError error = WriteError::None;
    int number = 0;
    EXPECT_FALSE(qrl::writeWholeFile(path, bytes.data(), bytes.size(), &error, &number));
    EXPECT_EQ(error, c.expected);
    EXPECT_EQ(number, c.openError != 0 ? c.openError : c.error);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), before);
    if (c.earlierFile) {
        EXPECT_EQ(qrl::test::readFile(path), earlier);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WholeFileFailure,
    testing::Values(Case{"DiskFullAtFirstBlock", true, 200000, 0, ENOSPC, 0, WriteError::DiskFull},
                    Case{"DiskFullAtLaterBlock", true, 200000, 70000, ENOSPC, 0, WriteError::DiskFull},
                    Case{"DiskFullNoEarlierFile", false, 1000, 500, ENOSPC, 0, WriteError::DiskFull},
                    Case{"QuotaOnSmallFile", true, 10, 9, EDQUOT, 0, WriteError::DiskFull},
                    Case{"ShortWriteTooLarge", true, 5000, 4096, EFBIG, 0, WriteError::TooLarge},
                    Case{"PermissionAtOpen", true, 100, 0, 0, EACCES, WriteError::Permission},
                    Case{"ReadOnlyAtOpen", false, 100, 0, 0, EROFS, WriteError::ReadOnly}),
    [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(WholeFile, ReplacesAFileKeepingItsPermissions)
{
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("job.prn");
    qrl::test::writeFile(path, "old");
    ::chmod(path.c_str(), 0600);
    const std::string bytes = pattern(150000);
    ASSERT_TRUE(qrl::writeWholeFile(path, bytes.data(), bytes.size()));
    EXPECT_EQ(qrl::test::readFile(path), bytes);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"job.prn"});
}

TEST(WholeFile, WritesThroughALinkWhichStaysALink)
{
    qrl::test::TempDirectory dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/card.bin");
    qrl::test::writeFile(target, "old");
    fs::create_symlink("real/card.bin", dir.file("link.bin"));
    ASSERT_TRUE(qrl::writeWholeFile(dir.file("link.bin"), "new", 3));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("link.bin"))));
    EXPECT_EQ(qrl::test::readFile(target), "new");

    // A failure through the link leaves the target as it was.
    qrl::injectWriteFault(1, ENOSPC);
    EXPECT_FALSE(qrl::writeWholeFile(dir.file("link.bin"), "other", 5));
    qrl::clearInjectedWriteFault();
    EXPECT_EQ(qrl::test::readFile(target), "new");
    EXPECT_EQ(qrl::test::filesIn(dir.file("real")), std::vector<std::string>{"card.bin"});

    // A dangling link gets its target created.
    fs::create_symlink("real/new.bin", dir.file("dangling.bin"));
    ASSERT_TRUE(qrl::writeWholeFile(dir.file("dangling.bin"), "x", 1));
    EXPECT_EQ(qrl::test::readFile(dir.file("real/new.bin")), "x");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("dangling.bin"))));
}

TEST(WholeFile, WritesDevicesAndPipesInPlace)
{
    WriteError error = WriteError::None;
    EXPECT_TRUE(qrl::writeWholeFile("/dev/null", "abc", 3, &error));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A device that is full says so, and is still there.
    const std::string bytes = pattern(100);
    EXPECT_FALSE(qrl::writeWholeFile("/dev/full", bytes.data(), bytes.size(), &error));
    EXPECT_EQ(error, WriteError::DiskFull);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    qrl::test::TempDirectory dir;
    qrl::test::PipeReader pipe(dir.file("port"));
    ASSERT_TRUE(pipe.made());
    const std::string job = pattern(300000);
    EXPECT_TRUE(qrl::writeWholeFile(pipe.path(), job.data(), job.size()));
    const std::string received = pipe.received();
    EXPECT_EQ(received, job);
    EXPECT_TRUE(fs::is_fifo(pipe.path()));
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"port"});
}

TEST(WholeFile, RefusesADirectory)
{
    qrl::test::TempDirectory dir;
    WriteError error = WriteError::None;
    EXPECT_FALSE(qrl::writeWholeFile(dir.path(), "x", 1, &error));
    EXPECT_EQ(error, WriteError::NotRegularFile);
    EXPECT_TRUE(qrl::test::filesIn(dir.path()).empty());
}

TEST(WholeFile, RefusesAFileThatMayNotBeWritten)
{
    // Root may write any file: as root the save is made by user 1001, in that user's own folder.
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("locked.prj");
    qrl::test::writeFile(path, "old");
    ::chmod(path.c_str(), 0444);
    const bool asUser = ::geteuid() == 0;
    if (asUser) {
        ASSERT_EQ(::chown(dir.path().c_str(), 1001, 1001), 0);
        ASSERT_EQ(::chown(path.c_str(), 1001, 1001), 0);
    }
    const auto save = [&] {
        WriteError error = WriteError::None;
        return !qrl::writeWholeFile(path, "new", 3, &error) && error == WriteError::Permission;
    };
    if (asUser)
        EXPECT_EQ(qrl::test::runAs({1001, 1001}, 0, save), 0);
    else
        EXPECT_TRUE(save());
    EXPECT_EQ(qrl::test::readFile(path), "old");
    EXPECT_EQ(qrl::test::filesIn(dir.path()), std::vector<std::string>{"locked.prj"});
}

TEST(WholeFile, OnARealFullDisk)
{
    qrl::test::SmallTmpfs disk(256 * 1024);
    if (!disk.available())
        GTEST_SKIP() << disk.reason();
    const std::string path = disk.file("project.prj");
    const std::string earlier = pattern(100 * 1024);
    ASSERT_TRUE(qrl::writeWholeFile(path, earlier.data(), earlier.size()));
    for (std::size_t size : {std::size_t{200 * 1024}, std::size_t{170 * 1024}}) {
        const std::string bytes = pattern(size);
        WriteError error = WriteError::None;
        EXPECT_FALSE(qrl::writeWholeFile(path, bytes.data(), bytes.size(), &error)) << size;
        EXPECT_EQ(error, WriteError::DiskFull);
        EXPECT_EQ(qrl::test::readFile(path), earlier);
        EXPECT_EQ(qrl::test::filesIn(disk.path()), std::vector<std::string>{"project.prj"});
    }
}

TEST(WholeFile, ExclusiveCreateNeverFollowsALink)
{
    qrl::test::TempDirectory dir;
    qrl::test::writeFile(dir.file("victim"), "keep");
    fs::create_symlink("victim", dir.file("SLT00001.SLT"));
    const int file = qrl::createExclusive(dir.file("SLT00001.SLT"));
    ASSERT_GE(file, 0);
    ASSERT_TRUE(qrl::writeAll(file, "scratch", 7));
    ::close(file);
    EXPECT_EQ(qrl::test::readFile(dir.file("victim")), "keep");
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir.file("SLT00001.SLT"))));
    EXPECT_EQ(qrl::test::readFile(dir.file("SLT00001.SLT")), "scratch");
}

namespace {

using qrl::test::WriteStep;

struct StepCase {
    const char* name;
    WriteStep step;
    int error;
    bool secondLink; // a hard link makes the save one in place
    WriteError expected;
    int onlyCall = 0; // the call of the step that fails, 0 for every call
};

class WholeFileStepFailure : public testing::TestWithParam<StepCase> {
protected:
    void TearDown() override { qrl::clearInjectedWriteFault(); }
};

} // namespace

// The steps after the bytes: each failure keeps the earlier file (and its other link) whole and
// leaves nothing beside it.
TEST_P(WholeFileStepFailure, LeavesTheEarlierFileAndNothingBesideIt)
{
    const StepCase& c = GetParam();
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("out.prj");
    const std::string earlier = "the earlier file\n";
    qrl::test::writeFile(path, earlier);
    if (c.secondLink)
        fs::create_hard_link(path, dir.file("other.prj"));
    const auto before = qrl::test::filesIn(dir.path());

    qrl::test::injectStepFault(c.step, c.error, c.onlyCall);
    const std::string bytes = pattern(300000);
    WriteError error = WriteError::None;
    EXPECT_FALSE(qrl::writeWholeFile(path, bytes.data(), bytes.size(), &error));
    EXPECT_EQ(error, c.expected);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), before);
    EXPECT_EQ(qrl::test::readFile(path), earlier);
    if (c.secondLink) {
        EXPECT_EQ(fs::hard_link_count(path), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WholeFileStepFailure,
    testing::Values(
        StepCase{"SyncFails", WriteStep::Sync, EIO, false, WriteError::Other},
        StepCase{"RenameFails", WriteStep::Rename, EACCES, false, WriteError::Permission},
        StepCase{"NoRoomReservedInPlace", WriteStep::Reserve, ENOSPC, true, WriteError::DiskFull},
        StepCase{"NoRoomForTheLengthInPlace", WriteStep::Reserve, EFBIG, true, WriteError::TooLarge},
        // The backup's sync passes, the file's fails: the earlier content is put back.
        StepCase{"SyncFailsInPlace", WriteStep::Sync, EIO, true, WriteError::Other, 2},
        StepCase{"BackupSyncFailsInPlace", WriteStep::Sync, ENOSPC, true, WriteError::DiskFull, 1}),
    [](const testing::TestParamInfo<StepCase>& param) { return std::string(param.param.name); });

TEST(WholeFile, SyncsKeptFilesOnlyAndMovesAFinishedFileWithoutACopy)
{
    qrl::test::TempDirectory dir;
    const std::string bytes = pattern(100000);
    qrl::test::SyncCalls before = qrl::test::syncCalls();
    ASSERT_TRUE(qrl::writeWholeFile(dir.file("kept.prj"), bytes.data(), bytes.size()));
    qrl::test::SyncCalls after = qrl::test::syncCalls();
    EXPECT_EQ(after.dataSyncs - before.dataSyncs, 1); // the new bytes before the rename
    EXPECT_EQ(after.fullSyncs - before.fullSyncs, 1); // the folder after it

    before = after;
    qrl::WholeFileWriter scratch;
    ASSERT_TRUE(scratch.open(dir.file("SLT00000.SLT"), qrl::FileUse::Scratch));
    ASSERT_TRUE(scratch.write(bytes));
    ASSERT_TRUE(scratch.commit());
    after = qrl::test::syncCalls();
    EXPECT_EQ(after.dataSyncs, before.dataSyncs);
    EXPECT_EQ(after.fullSyncs, before.fullSyncs);

    // The run's finished image becomes the kept file itself: the same inode, no byte copied.
    qrl::test::writeFile(dir.file("kept.bin"), "old");
    ::chmod(dir.file("kept.bin").c_str(), 0640);
    struct stat source {};
    ::stat(dir.file("SLT00000.SLT").c_str(), &source);
    qrl::WholeFileWriter kept;
    ASSERT_TRUE(kept.open(dir.file("kept.bin")));
    ASSERT_TRUE(kept.commitFrom(dir.file("SLT00000.SLT")));
    struct stat moved {};
    ::stat(dir.file("kept.bin").c_str(), &moved);
    EXPECT_EQ(moved.st_ino, source.st_ino);
    EXPECT_EQ(moved.st_mode & 07777, 0640u);
    EXPECT_EQ(qrl::test::readFile(dir.file("kept.bin")), bytes);
    EXPECT_EQ(qrl::test::filesIn(dir.path()), (std::vector<std::string>{"kept.bin", "kept.prj"}));

    // A file that must be written in place takes a copy, and the finished file stays.
    fs::create_hard_link(dir.file("kept.bin"), dir.file("link.bin"));
    qrl::test::writeFile(dir.file("next.img"), "next image");
    ASSERT_TRUE(kept.open(dir.file("kept.bin")));
    before = qrl::test::syncCalls();
    ASSERT_TRUE(kept.commitFrom(dir.file("next.img")));
    EXPECT_EQ(qrl::test::syncCalls().inPlace - before.inPlace, 1); // the file written in place
    EXPECT_EQ(qrl::test::readFile(dir.file("link.bin")), "next image");
    EXPECT_EQ(fs::hard_link_count(dir.file("kept.bin")), 2u);
    EXPECT_TRUE(fs::exists(dir.file("next.img")));
}

// A save as a print room makes it: users with numeric ids 1001 and 1002 sharing group 2000, each
// save made by a child that takes the user's ids first. Root only; the owner and group, the mode,
// the links and the folder come out as they were.
namespace {

constexpr uid_t kOwner = 1001;
constexpr uid_t kColleague = 1002;
constexpr gid_t kShared = 2000;

using qrl::test::Ids;
using qrl::test::runAs;

struct SaveCase {
    const char* name;
    Ids folder;
    mode_t folderMode;
    Ids file; // the earlier file's owner
    mode_t fileMode;
    std::size_t nameLength; // 0: "p.prj"
    bool secondLink;
    Ids saver;
    gid_t saverGroup; // a supplementary group of the saver, 0 for none
};

class SavedFileStays : public testing::TestWithParam<SaveCase> {
protected:
    void SetUp() override
    {
        if (qrl::test::rootReason())
            GTEST_SKIP() << qrl::test::rootReason();
    }
    void TearDown() override { qrl::clearInjectedWriteFault(); }
};

std::string fileName(std::size_t length)
{
    return length == 0 ? std::string("p.prj") : std::string(length - 4, 'n') + ".prj";
}

} // namespace

TEST_P(SavedFileStays, OwnerGroupModeLinksAndFolder)
{
    const SaveCase& c = GetParam();
    qrl::test::TempDirectory top;
    ::chmod(top.path().c_str(), 0755);
    const std::string folder = top.file("shared");
    fs::create_directory(folder);
    const std::string path = folder + "/" + fileName(c.nameLength);
    qrl::test::writeFile(path, "the earlier project\n");
    ASSERT_EQ(::chown(path.c_str(), c.file.uid, c.file.gid), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.fileMode), 0);
    if (c.secondLink)
        fs::create_hard_link(path, folder + "/b.prj");
    ASSERT_EQ(::chown(folder.c_str(), c.folder.uid, c.folder.gid), 0);
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const auto before = qrl::test::filesIn(folder);

    const std::string bytes = pattern(200000);
    ASSERT_EQ(
        runAs(c.saver, c.saverGroup, [&] { return qrl::writeWholeFile(path, bytes.data(), bytes.size()); }),
        0);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, c.file.uid);
    EXPECT_EQ(st.st_gid, c.file.gid);
    EXPECT_EQ(st.st_mode & 07777, c.fileMode);
    EXPECT_EQ(st.st_nlink, c.secondLink ? 2u : 1u);
    EXPECT_EQ(qrl::test::readFile(path), bytes);
    if (c.secondLink) {
        EXPECT_EQ(qrl::test::readFile(folder + "/b.prj"), bytes);
    }
    EXPECT_EQ(qrl::test::filesIn(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    PrintRoom, SavedFileStays,
    testing::Values(
        SaveCase{"ColleagueInTheSharedGroup",
                 {kOwner, kShared},
                 0770,
                 {kOwner, kShared},
                 0660,
                 0,
                 false,
                 {kColleague, kColleague},
                 kShared},
        SaveCase{"WritableFileInAFolderOfRoot",
                 {0, 0},
                 0755,
                 {kOwner, kOwner},
                 0644,
                 0,
                 false,
                 {kOwner, kOwner},
                 0},
        SaveCase{"HardLinksStayOneFile",
                 {kOwner, kOwner},
                 0755,
                 {kOwner, kOwner},
                 0644,
                 0,
                 true,
                 {kOwner, kOwner},
                 0},
        SaveCase{
            "Name234Bytes", {kOwner, kOwner}, 0755, {kOwner, kOwner}, 0644, 234, false, {kOwner, kOwner}, 0},
        SaveCase{
            "Name255Bytes", {kOwner, kOwner}, 0755, {kOwner, kOwner}, 0600, 255, false, {kOwner, kOwner}, 0},
        SaveCase{
            "RootSavesAUsersFile", {kOwner, kShared}, 0770, {kOwner, kShared}, 0640, 0, false, {0, 0}, 0}),
    [](const testing::TestParamInfo<SaveCase>& param) { return std::string(param.param.name); });

// A save killed in the middle leaves the earlier file and nothing anyone could read; a save killed
// at the rename leaves its private file under its short name, and the next save removes it.
TEST(SavedFileStaysPrivate, AKilledSaveLeavesNothingReadableAndTheNextSaveCleansUp)
{
    if (qrl::test::rootReason())
        GTEST_SKIP() << qrl::test::rootReason();
    qrl::test::TempDirectory top;
    ::chmod(top.path().c_str(), 0755);
    const std::string folder = top.file("private");
    fs::create_directory(folder);
    ASSERT_EQ(::chown(folder.c_str(), kOwner, kOwner), 0);
    const std::string path = folder + "/" + fileName(250);
    qrl::test::writeFile(path, "private\n");
    ASSERT_EQ(::chown(path.c_str(), kOwner, kOwner), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    const std::string bytes = pattern(3 << 20);
    const auto save = [&] { return qrl::writeWholeFile(path, bytes.data(), bytes.size()); };

    EXPECT_EQ(runAs({kOwner, kOwner}, 0,
                    [&] {
                        qrl::test::killWhenWritten(bytes.size() / 2);
                        return save();
                    }),
              128 + SIGKILL);
    EXPECT_EQ(qrl::test::readFile(path), "private\n");
    EXPECT_EQ(qrl::test::filesIn(folder), std::vector<std::string>{fileName(250)});

    EXPECT_EQ(runAs({kOwner, kOwner}, 0,
                    [&] {
                        qrl::test::killAtStep(WriteStep::Rename);
                        return save();
                    }),
              128 + SIGKILL);
    EXPECT_EQ(qrl::test::readFile(path), "private\n");
    for (const std::string& name : qrl::test::filesIn(folder)) {
        struct stat st {};
        ::stat((folder + "/" + name).c_str(), &st);
        EXPECT_EQ(st.st_mode & 077, 0u) << name;
        EXPECT_LT(name.size(), 32u + (name == fileName(250) ? 250u : 0u)) << name;
    }

    EXPECT_EQ(runAs({kOwner, kOwner}, 0, save), 0);
    EXPECT_EQ(qrl::test::readFile(path), bytes);
    EXPECT_EQ(qrl::test::filesIn(folder), std::vector<std::string>{fileName(250)});
}
