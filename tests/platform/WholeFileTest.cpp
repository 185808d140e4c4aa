// The one writer: what it leaves behind when a write fails at each step, and how it treats links,
// devices, pipes and permissions.
#include "DeviceNodes.h"
#include "SmallTmpfs.h"
#include "TempCwd.h"
#include "WholeFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

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
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    qrl::test::TempDirectory dir;
    const std::string path = dir.file("locked.prj");
    qrl::test::writeFile(path, "old");
    ::chmod(path.c_str(), 0444);
    WriteError error = WriteError::None;
    EXPECT_FALSE(qrl::writeWholeFile(path, "new", 3, &error));
    EXPECT_EQ(error, WriteError::Permission);
    EXPECT_EQ(qrl::test::readFile(path), "old");
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
    std::FILE* file = qrl::createExclusive(dir.file("SLT00001.SLT"));
    ASSERT_NE(file, nullptr);
    std::fputs("scratch", file);
    std::fclose(file);
    EXPECT_EQ(qrl::test::readFile(dir.file("victim")), "keep");
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir.file("SLT00001.SLT"))));
    EXPECT_EQ(qrl::test::readFile(dir.file("SLT00001.SLT")), "scratch");
}
