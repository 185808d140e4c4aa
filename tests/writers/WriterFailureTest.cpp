// Every writer of a file the user keeps, under every fault a disk, a link or a device brings: a
// failed write is never reported as written, the earlier file stays byte for byte, nothing is
// left beside it, and the message names the cause.
#include "WriterCases.h"

#include "DeviceNodes.h"
#include "FileSave.h"
#include "ScriptedUserInterface.h"
#include "SmallTmpfs.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "WriteFaults.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;
using qrl::WriteError;
using qrl::test::WriterCase;

namespace {

std::vector<WriterCase> everyWriter()
{
    std::vector<WriterCase> all = qrl::test::projectAndBuildWriters();
    for (auto* more : {&qrl::test::toolWriters, &qrl::test::settingsWriters})
        for (WriterCase& c : more())
            all.push_back(std::move(c));
    return all;
}

// The cause's own words, without the path.
QString causeLine(WriteError error)
{
    return qrl::writeFailureText(error, QString()).section(QLatin1Char('\n'), 0, 0);
}

struct Fault {
    const char* name;
    int error;     // in a write
    int openError; // in the open
    WriteError reason;
    bool halfway;      // fail in the middle of the file rather than at its first byte
    int stepError = 0; // at `step` after the bytes, when not 0
    qrl::test::WriteStep step = qrl::test::WriteStep::Sync;
    bool inPlace = false; // the earlier file has a second link, so it is written in place
    // Another program moves a file onto the name, or removes it, at this step of a save in place:
    // the reserve comes before the first byte, the truncate to the new length before the answer.
    bool meddles = false;
    qrl::test::WriteStep meddleStep = qrl::test::WriteStep::Reserve;
    bool meddleRemoves = false;
};

constexpr Fault kFaults[] = {
    {"disk full at the first block", ENOSPC, 0, WriteError::DiskFull, false},
    {"disk full at a later block", ENOSPC, 0, WriteError::DiskFull, true},
    {"short write", EFBIG, 0, WriteError::TooLarge, true},
    {"permission", 0, EACCES, WriteError::Permission, false},
    {"read-only file system", 0, EROFS, WriteError::ReadOnly, false},
    {"no room reserved in place", 0, 0, WriteError::DiskFull, false, ENOSPC, qrl::test::WriteStep::Reserve,
     true},
    {"sync", 0, 0, WriteError::DiskFull, false, ENOSPC, qrl::test::WriteStep::Sync},
    {"rename", 0, 0, WriteError::Permission, false, EACCES, qrl::test::WriteStep::Rename},
    {"replaced meanwhile", 0, 0, WriteError::Replaced, false, 0, qrl::test::WriteStep::Sync, true, true,
     qrl::test::WriteStep::Reserve, false},
    {"removed meanwhile", 0, 0, WriteError::Replaced, false, 0, qrl::test::WriteStep::Sync, true, true,
     qrl::test::WriteStep::Truncate, true},
};

class WriterFailure : public testing::TestWithParam<WriterCase> {
protected:
    void SetUp() override { qrl::test::ensureCoreApplication(); }
    void TearDown() override { qrl::clearInjectedWriteFault(); }

    // Writes once without a fault and answers the size written.
    std::size_t cleanSize()
    {
        qrl::test::TempDirectory dir;
        const QString path = QString::fromStdString(dir.file("clean.out"));
        qrl::test::ScriptedUserInterface ui;
        EXPECT_TRUE(GetParam().write(path)) << ui.texts().join(QLatin1Char('|')).toStdString();
        return QFileInfo(path).size();
    }
};

} // namespace

TEST_P(WriterFailure, KeepsTheEarlierFileAndNamesTheCause)
{
    const std::size_t size = cleanSize();
    ASSERT_GT(size, 0u);
    for (const Fault& fault : kFaults) {
        for (bool earlierFile : {true, false}) {
            // A new file is never written in place.
            if (fault.inPlace && !earlierFile)
                continue;
            SCOPED_TRACE(std::string(fault.name) + (earlierFile ? ", earlier file" : ", no earlier file"));
            qrl::test::TempDirectory dir;
            const std::string path = dir.file("kept.out");
            const std::string earlier = "the earlier file\n";
            if (earlierFile)
                qrl::test::writeFile(path, earlier);
            if (fault.inPlace)
                fs::create_hard_link(path, dir.file("other.out"));
            const auto before = qrl::test::filesIn(dir.path());
            qrl::test::ScriptedUserInterface ui;
            qrl::injectWriteFault(fault.halfway ? size / 2 : 0, fault.error, fault.openError);
            if (fault.stepError != 0)
                qrl::test::injectStepFault(fault.step, fault.stepError);
            if (fault.meddles) {
                qrl::test::atStep(fault.meddleStep, 1, [&] {
                    if (fault.meddleRemoves) {
                        ::unlink(path.c_str());
                    } else {
                        qrl::test::writeFile(dir.file("moved.out"), earlier);
                        fs::rename(dir.file("moved.out"), path);
                    }
                });
            }
            EXPECT_FALSE(GetParam().write(QString::fromStdString(path)));
            qrl::clearInjectedWriteFault();
            auto after = before;
            if (fault.meddleRemoves)
                std::erase(after, std::string("kept.out"));
            EXPECT_EQ(qrl::test::filesIn(dir.path()), after);
            if (earlierFile && !fault.meddleRemoves) {
                EXPECT_EQ(qrl::test::readFile(path), earlier);
            }
            if (GetParam().showsMessage) {
                EXPECT_TRUE(ui.texts().join(QLatin1Char('|')).contains(causeLine(fault.reason)))
                    << ui.texts().join(QLatin1Char('|')).toStdString();
            }
        }
    }
}

TEST_P(WriterFailure, WritesThroughLinksAndIntoDevicesAndPipes)
{
    const std::size_t size = cleanSize();
    qrl::test::TempDirectory dir;
    qrl::test::ScriptedUserInterface ui;

    fs::create_directory(dir.file("real"));
    qrl::test::writeFile(dir.file("real/target.out"), "old");
    fs::create_symlink("real/target.out", dir.file("link.out"));
    EXPECT_TRUE(GetParam().write(QString::fromStdString(dir.file("link.out"))));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("link.out"))));
    EXPECT_EQ(fs::file_size(dir.file("real/target.out")), size);
    EXPECT_EQ(qrl::test::filesIn(dir.file("real")), std::vector<std::string>{"target.out"});

    const std::string device = qrl::test::deviceNode(dir, "null", 3);
    EXPECT_TRUE(GetParam().write(QString::fromStdString(device)));
    EXPECT_TRUE(fs::is_character_file(device));

    qrl::test::PipeReader pipe(dir.file("port"));
    ASSERT_TRUE(pipe.made());
    EXPECT_TRUE(GetParam().write(QString::fromStdString(pipe.path())));
    const std::string received = pipe.received();
    EXPECT_EQ(received.size(), size);
    EXPECT_TRUE(fs::is_fifo(pipe.path()));
}

TEST_P(WriterFailure, OnARealFullDisk)
{
    const std::size_t size = cleanSize();
    qrl::test::SmallTmpfs disk(256 * 1024);
    if (!disk.available())
        GTEST_SKIP() << disk.reason();
    // Fill the disk, then free whole pages for about half the file: a small file finds none.
    const std::string earlier = "the earlier file\n";
    qrl::test::writeFile(disk.file("kept.out"), earlier);
    {
        const std::string filler(256 * 1024, 'f');
        std::ofstream out(disk.file("filler"), std::ios::binary);
        out.write(filler.data(), static_cast<std::streamsize>(filler.size()));
    }
    constexpr std::uintmax_t kPage = 4096;
    const std::uintmax_t fillerSize = fs::file_size(disk.file("filler"));
    const std::uintmax_t freed = std::min<std::uintmax_t>(size / 2 / kPage * kPage, fillerSize);
    fs::resize_file(disk.file("filler"), fillerSize - freed);
    const auto before = qrl::test::filesIn(disk.path());
    qrl::test::ScriptedUserInterface ui;
    EXPECT_FALSE(GetParam().write(QString::fromStdString(disk.file("kept.out"))));
    EXPECT_EQ(qrl::test::readFile(disk.file("kept.out")), earlier);
    EXPECT_EQ(qrl::test::filesIn(disk.path()), before);
    if (GetParam().showsMessage) {
        EXPECT_TRUE(ui.texts().join(QLatin1Char('|')).contains(causeLine(WriteError::DiskFull)))
            << ui.texts().join(QLatin1Char('|')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, WriterFailure, testing::ValuesIn(everyWriter()),
                         [](const testing::TestParamInfo<WriterCase>& param) {
                             return std::string(param.param.name);
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WriterFailure);
