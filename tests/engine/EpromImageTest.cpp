// EPROM image files: the image copy, its three output forms and the S-record conversion.
#include "vintrel.h"

#include "ByteOrder.h"
#include "SRecordReader.h"
#include "TempCwd.h"
#include "TestBuild.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qrl::test::fileExists;
using qrl::test::readFile;
using qrl::test::ReadSRecords;
using qrl::test::TempCwd;
using qrl::test::TempDirectory;
using qrl::test::writeFile;

// A slot image of `size` bytes: the header's magic and image size, then varying bytes.
std::string slotImage(std::size_t size)
{
    std::string image(size, '\0');
    for (std::size_t i = 16; i < size; ++i)
        image[i] = static_cast<char>(i * 7 + 3);
    auto* p = reinterpret_cast<unsigned char*>(image.data());
    qrl::bytes::putU32BE(p, 0xAE00A002);
    qrl::bytes::putU16BE(p + 4, 0x00C0);
    qrl::bytes::putU32BE(p + 8, static_cast<std::uint32_t>(size));
    return image;
}

std::string swapped(std::string bytes)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
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

struct FormatCase {
    std::uint32_t format;
    std::size_t size;
};

class WriteFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WriteFormats, WritesTheImageInTheChosenForm)
{
    const auto [format, size] = GetParam();
    TempCwd cwd;
    TempDirectory userFolder; // the user's folder is not the working directory
    const std::string output = userFolder.file("image.out");
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
    EXPECT_FALSE(fileExists("TEMP.BXF"));
    EXPECT_FALSE(fileExists("TEMP.HEX"));
}

INSTANTIATE_TEST_SUITE_P(Forms, WriteFormats,
                         ::testing::Values(FormatCase{1, 196}, FormatCase{1, 2000001}, FormatCase{2, 196},
                                           FormatCase{2, 197}, FormatCase{3, 197}, FormatCase{3, 3000000}));

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
    EXPECT_FALSE(fileExists("TEMP.BXF"));
    EXPECT_FALSE(fileExists("TEMP.HEX"));
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
