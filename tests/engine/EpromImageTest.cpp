// EPROM image files: the image copy, its three output forms and the S-record conversion.
#include "vintrel.h"

#include "ByteOrder.h"
#include "SRecordReader.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using qrl::test::fileExists;
using qrl::test::filesIn;
using qrl::test::readFile;
using qrl::test::ReadSRecords;
using qrl::test::TempCwd;
using qrl::test::TempDirectory;
using qrl::test::writeFile;

std::string slotImage(std::size_t size)
{
    return qrl::test::epromSlotImage(size);
}

std::string swapped(std::string bytes)
{
    return qrl::test::swappedPairs(std::move(bytes));
}

TEST(EpromImage, CreateEpromFileCopiesTheSlotImage)
{
    TempCwd cwd;
    writeFile("TEMP.BXF", "stale image of an earlier export");
    EXPECT_EQ(CreateEPROMFile(), 0);
    EXPECT_FALSE(fileExists("TEMP.BXF"));
    writeFile("SLT00000.SLT", slotImage(300));
    writeFile("TEMP.BXF", "stale");
    EXPECT_EQ(CreateEPROMFile(), 1);
    EXPECT_EQ(readFile("TEMP.BXF"), slotImage(300));
}

// A private folder on another file system than the working directory, where there is one, so
// that the image cannot simply be moved to the output.
class OtherFileSystemFolder {
public:
    explicit OtherFileSystemFolder(const std::string& workingDirectory)
    {
        struct stat shm {
        }, work{};
        std::string templ = "/dev/shm/qrltest-XXXXXX";
        if (stat("/dev/shm", &shm) == 0 && stat(workingDirectory.c_str(), &work) == 0 &&
            shm.st_dev != work.st_dev && mkdtemp(templ.data()))
            m_path = templ;
    }
    ~OtherFileSystemFolder()
    {
        if (!m_path.empty())
            std::filesystem::remove_all(m_path);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

struct FormatCase {
    std::uint32_t format;
    std::size_t size;
    bool otherFileSystem;
};

class WriteFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WriteFormats, WritesTheImageInTheChosenForm)
{
    const auto [format, size, otherFileSystem] = GetParam();
    TempCwd cwd;
    TempDirectory userFolder; // the user's folder is not the working directory
    const OtherFileSystemFolder otherFolder(cwd.path());
    if (otherFileSystem && otherFolder.path().empty())
        GTEST_SKIP() << "no writable /dev/shm on another file system than " << cwd.path();
    const std::string output = (otherFileSystem ? otherFolder.path() : userFolder.path()) + "/image.out";
    writeFile("TEMP.HEX", "stale swapped image");
    const std::string image = slotImage(size);
    writeFile("TEMP.BXF", image);

    ASSERT_EQ(WriteFileQRL(output.c_str(), format, nullptr), 1);
    const std::string out = readFile(output);
    if (format == 3) {
        EXPECT_EQ(out, image);
    } else if (format == 2) {
        EXPECT_EQ(out, swapped(image));
        EXPECT_EQ(out.back(), size % 2 ? image.back() : image[size - 2]);
    } else {
        ReadSRecords records;
        ASSERT_EQ(qrl::test::readSRecords(out, records), "");
        EXPECT_EQ(records.data, swapped(image));
    }
    EXPECT_EQ(filesIn(cwd.path()), std::vector<std::string>{});
    EXPECT_EQ(filesIn(std::filesystem::path(output).parent_path()), std::vector<std::string>{"image.out"});
}

INSTANTIATE_TEST_SUITE_P(Forms, WriteFormats,
                         ::testing::Values(FormatCase{1, 196, false}, FormatCase{1, 2000001, false},
                                           FormatCase{2, 196, false}, FormatCase{2, 197, false},
                                           FormatCase{3, 197, false}, FormatCase{1, 2000001, true},
                                           FormatCase{2, 3000001, true}, FormatCase{3, 3000000, true},
                                           // Swapped where it lies before it is moved, pairs across
                                           // the blocks of a megabyte.
                                           FormatCase{2, (std::size_t{3} << 20) + 1, false},
                                           FormatCase{2, (std::size_t{2} << 20) + 2, false}));

TEST(EpromImage, SRecordTextOfTheEmptyEpromImage)
{
    TempCwd cwd;
    writeFile("TEMP.BXF", slotImage(196));
    ASSERT_EQ(WriteFileQRL("rom.hex", 1, nullptr), 1);
    const std::string text = readFile("rom.hex");
    ReadSRecords records;
    ASSERT_EQ(qrl::test::readSRecords(text, records), "");

    ASSERT_EQ(records.lines.size(), 16u);
    EXPECT_EQ(records.lines.front(), "S00600004844521B");
    EXPECT_EQ(records.lines.back(), "S70500000000FA");
    EXPECT_EQ(records.lines[1].substr(0, 20), "S3140000000000AE02A0");
    ASSERT_EQ(records.dataSizes.size(), 14u);
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(records.dataSizes[i], 15u);
        EXPECT_EQ(records.addresses[i], 15 * i);
    }
    EXPECT_EQ(records.dataSizes[13], 1u);
    EXPECT_EQ(records.addresses[13], 195u);
    EXPECT_EQ(records.lines[14].substr(0, 4), "S306");
}

TEST(EpromImage, SRecordsOfAnImageShorterThanItsFileComeFromTheWholeSwappedFile)
{
    TempCwd cwd;
    // Image size 197 in a file of 198 bytes: the last byte of the image is the swapped partner.
    const std::string file = slotImage(197) + "Z";
    writeFile("TEMP.BXF", file);
    ASSERT_EQ(WriteFileQRL("rom.hex", 1, nullptr), 1);
    ReadSRecords records;
    ASSERT_EQ(qrl::test::readSRecords(readFile("rom.hex"), records), "");
    EXPECT_EQ(records.data, swapped(file).substr(0, 197));
    EXPECT_EQ(records.data.back(), 'Z');
}

TEST(EpromImage, WriteFileQrlRefusesWithoutLeavingFiles)
{
    TempCwd cwd;
    EXPECT_EQ(WriteFileQRL("out.bin", 3, nullptr), 0); // no TEMP.BXF
    EXPECT_FALSE(fileExists("out.bin"));
    for (std::uint32_t format : {0u, 4u}) {
        writeFile("TEMP.BXF", slotImage(196));
        EXPECT_EQ(WriteFileQRL("out.bin", format, nullptr), 0);
        EXPECT_FALSE(fileExists("out.bin"));
        EXPECT_FALSE(fileExists("TEMP.BXF"));
    }
    // A failed conversion leaves the user's earlier file as it was.
    writeFile("out.hex", "earlier export");
    writeFile("TEMP.BXF", std::string(300, 'x'));
    EXPECT_EQ(WriteFileQRL("out.hex", 1, nullptr), 0);
    EXPECT_EQ(readFile("out.hex"), "earlier export");
    EXPECT_EQ(filesIn(cwd.path()), std::vector<std::string>{"out.hex"});
}

TEST(EpromImage, Bin2HexRefusesWhatIsNoSwappedSlotImage)
{
    TempCwd cwd;
    const std::string good = swapped(slotImage(196));
    const std::pair<const char*, std::string> refused[] = {
        {"magic not swapped", slotImage(196)},
        {"shorter than its image size", good.substr(0, 195)},
        {"shorter than the probe", good.substr(0, 15)},
        {"empty", ""}};
    for (const auto& [what, bytes] : refused) {
        writeFile("in.bin", bytes);
        EXPECT_EQ(BIN2HEX("in.bin", "out.hex"), 0) << what;
        EXPECT_FALSE(fileExists("out.hex")) << what;
    }
    EXPECT_EQ(BIN2HEX("missing.bin", "out.hex"), 0);

    // Bytes after the image size are not part of the image.
    writeFile("in.bin", good + "trailing");
    ASSERT_EQ(BIN2HEX("in.bin", "out.hex"), 1);
    ReadSRecords records;
    ASSERT_EQ(qrl::test::readSRecords(readFile("out.hex"), records), "");
    EXPECT_EQ(records.data, good);
}

} // namespace
