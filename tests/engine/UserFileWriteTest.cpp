// The file the user names in SLT2BXF, WriteFileQRL and BIN2HEX: written whole or not at all, with
// errno at the cause of a failed write; written through a link, into a pipe or a device in place;
// its permissions kept.
#include "vintrel.h"

#include "DeviceNodes.h"
#include "FileSizeLimit.h"
#include "SmallTmpfs.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qrl::test::deviceNode;
using qrl::test::filesIn;
using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::TempDirectory;
using qrl::test::TestBuild;
using qrl::test::writeFile;

// Larger than the small tmpfs, so that every export fills it.
constexpr std::size_t kImageSize = 300 * 1024 + 1;
constexpr rlim_t kSizeLimit = 64 * 1024;

std::string slotImage()
{
    return qrl::test::epromSlotImage(kImageSize);
}

// One export: its inputs in the working directory, the input it uses up (if it does), then the
// call that writes `output`.
struct ExportCase {
    const char* name;
    const char* input;
    std::function<void(TestBuild&)> prepare;
    std::function<int(TestBuild&, const char* output)> call;
    bool movesTheImage = false; // the finished image becomes the file by a rename, no byte written
};

void PrintTo(const ExportCase& c, std::ostream* os)
{
    *os << c.name;
}

void writeEpromImage(TestBuild&)
{
    writeFile("TEMP.BXF", slotImage());
}

const ExportCase kExports[] = {
    {"WriteFileQrlSRecords", "TEMP.BXF", writeEpromImage,
     [](TestBuild&, const char* out) { return WriteFileQRL(out, 1, nullptr); }},
    {"WriteFileQrlSwapped", "TEMP.BXF", writeEpromImage,
     [](TestBuild&, const char* out) { return WriteFileQRL(out, 2, nullptr); }},
    {"WriteFileQrlPlain", "TEMP.BXF", writeEpromImage,
     [](TestBuild&, const char* out) { return WriteFileQRL(out, 3, nullptr); }, true},
    {"Bin2Hex", "in.bin", [](TestBuild&) { writeFile("in.bin", qrl::test::swappedPairs(slotImage())); },
     [](TestBuild&, const char* out) { return BIN2HEX("in.bin", out); }},
    {"Slt2Bxf", "SLT00000.SLT",
     [](TestBuild& build) {
         build.addItem(VINTREL_PROGRAM_DATA, "DATA");
         qrl::test::writeResourceFile("BPD00000.RSC", kImageSize, 7);
         ASSERT_TRUE(build.buildSlots(VINTREL_JEIDA_CARD));
         build.context()->sizeIndex = 7; // 2 MB
     },
     [](TestBuild& build, const char* out) { return SLT2BXF(out, build.context(), VINTREL_JEIDA_CARD); }},
};

class UserFile : public testing::TestWithParam<ExportCase> {
protected:
    void SetUp() override
    {
        GetParam().prepare(m_build);
        m_before = filesIn(m_cwd.path());
    }

    // The inputs as the program leaves them before each call.
    void prepareInputs()
    {
        if (!fs::exists(GetParam().input))
            GetParam().prepare(m_build);
    }
    int call(const std::string& output) { return GetParam().call(m_build, output.c_str()); }
    int run(const std::string& output)
    {
        prepareInputs();
        return call(output);
    }
    // What the export writes into a plain new file.
    std::string expected()
    {
        TempDirectory dir;
        EXPECT_EQ(run(dir.file("clean.out")), 1);
        return readFile(dir.file("clean.out"));
    }
    // No file in the working directory that was not there before.
    void expectNoScratchLeft()
    {
        for (const std::string& name : filesIn(m_cwd.path()))
            EXPECT_NE(std::find(m_before.begin(), m_before.end(), name), m_before.end()) << name;
    }

    TempCwd m_cwd;
    TestBuild m_build;
    std::vector<std::string> m_before;
};

TEST_P(UserFile, AFailedWriteKeepsTheEarlierFileAndLeavesErrnoAtTheCause)
{
    const std::string earlier = "the earlier export\n";
    // `write` runs the export into `path` of folder `dir` under the fault.
    const auto expectFailure = [&](const std::string& dir, const std::string& path, bool earlierFile,
                                   int cause, const std::function<int()>& write) {
        SCOPED_TRACE(earlierFile ? "earlier file" : "no earlier file");
        if (earlierFile)
            writeFile(path, earlier);
        const auto before = filesIn(dir);
        prepareInputs();
        errno = 0;
        const int result = write();
        const int error = errno;
        EXPECT_EQ(result, 0);
        EXPECT_EQ(error, cause) << std::strerror(error);
        EXPECT_EQ(filesIn(dir), before);
        if (earlierFile) {
            EXPECT_TRUE(readFile(path) == earlier);
        }
        expectNoScratchLeft();
    };

    for (bool earlierFile : {true, false}) {
        SCOPED_TRACE("file size limit");
        TempDirectory dir;
        const std::string path = dir.file("kept.out");
        if (GetParam().movesTheImage) {
            // A limit on what the process writes cannot cut an image that is moved, not written.
            prepareInputs();
            const qrl::test::FileSizeLimit limit(kSizeLimit);
            EXPECT_EQ(call(path), 1);
            EXPECT_EQ(fs::file_size(path), kImageSize);
            continue;
        }
        expectFailure(dir.path(), path, earlierFile, EFBIG, [&] {
            const qrl::test::FileSizeLimit limit(kSizeLimit);
            return call(path);
        });
    }
    {
        SCOPED_TRACE("full device");
        TempDirectory dir;
        const std::string full = deviceNode(dir, "full", 7);
        prepareInputs();
        errno = 0;
        const int result = call(full);
        const int error = errno;
        EXPECT_EQ(result, 0);
        EXPECT_EQ(error, ENOSPC) << std::strerror(error);
        EXPECT_TRUE(fs::is_character_file(full));
        expectNoScratchLeft();
    }
    const qrl::test::SmallTmpfs disk;
    if (!disk.available())
        GTEST_SKIP() << "the real full disk: " << disk.reason();
    for (bool earlierFile : {true, false}) {
        SCOPED_TRACE("full tmpfs");
        const std::string path = disk.file("kept.out");
        fs::remove(path);
        expectFailure(disk.path(), path, earlierFile, ENOSPC, [&] { return call(path); });
    }
}

TEST_P(UserFile, WritesThroughALinkAndIntoPipesAndDevicesInPlace)
{
    const std::string bytes = expected();
    TempDirectory dir;

    const std::string target = dir.file("target.out");
    const std::string link = dir.file("link.out");
    writeFile(target, "old");
    fs::create_symlink(target, link);
    ASSERT_EQ(run(link), 1);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(readFile(target) == bytes);

    const std::string kept = dir.file("private.out");
    writeFile(kept, "old");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(run(kept), 1);
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(readFile(kept) == bytes);

    qrl::test::PipeReader pipe(dir.file("pipe"));
    ASSERT_TRUE(pipe.made());
    const int piped = run(pipe.path());
    const std::string received = pipe.received();
    EXPECT_EQ(piped, 1);
    EXPECT_TRUE(received == bytes);
    EXPECT_TRUE(fs::is_fifo(pipe.path()));

    const std::string null = deviceNode(dir, "null", 3);
    EXPECT_EQ(run(null), 1);
    EXPECT_TRUE(fs::is_character_file(null));
    std::vector<std::string> names = filesIn(dir.path());
    std::erase(names, "null");
    EXPECT_EQ(names, (std::vector<std::string>{"link.out", "pipe", "private.out", "target.out"}));
    expectNoScratchLeft();
}

INSTANTIATE_TEST_SUITE_P(Exports, UserFile, testing::ValuesIn(kExports),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
