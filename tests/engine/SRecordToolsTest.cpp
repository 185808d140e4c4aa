// The S-record export read by outside tools: srec_cat must read it back to the swapped image, and
// its data records must equal those objcopy writes for the same bytes.
#include "vintrel.h"

#include "ByteOrder.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qrl::test::readFile;
using qrl::test::TempCwd;
using qrl::test::writeFile;

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// An odd-sized slot image with random contents, and its byte-pair-swapped copy.
std::string swappedImage()
{
    const std::size_t size = 40001;
    std::mt19937 random(42);
    std::string image(size, '\0');
    for (char& c : image)
        c = static_cast<char>(random() & 0xFF);
    auto* p = reinterpret_cast<unsigned char*>(image.data());
    qrl::bytes::putU32BE(p, 0xAE00A002);
    qrl::bytes::putU32BE(p + 8, static_cast<std::uint32_t>(size));
    writeFile("TEMP.BXF", image);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        std::swap(image[i], image[i + 1]);
    return image;
}

std::vector<std::string> dataRecords(const std::string& text)
{
    std::vector<std::string> records;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("S3", 0) == 0)
            records.push_back(line);
    }
    return records;
}

TEST(SRecordTools, SrecCatReadsTheExportBackToTheSwappedImage)
{
    if (!haveTool("srec_cat"))
        GTEST_SKIP() << "srec_cat (package srecord) is not installed";
    TempCwd cwd;
    const std::string image = swappedImage();
    ASSERT_EQ(WriteFileQRL("rom.hex", 1, nullptr), 1);
    ASSERT_EQ(std::system("srec_cat rom.hex -motorola -o back.bin -binary"), 0);
    EXPECT_EQ(readFile("back.bin"), image);
}

TEST(SRecordTools, DataRecordsEqualThoseOfObjcopy)
{
    if (!haveTool("objcopy"))
        GTEST_SKIP() << "objcopy (package binutils) is not installed";
    TempCwd cwd;
    writeFile("swapped.bin", swappedImage());
    ASSERT_EQ(WriteFileQRL("rom.hex", 1, nullptr), 1);
    ASSERT_EQ(std::system("objcopy -I binary -O srec --srec-forceS3 --srec-len=15 swapped.bin objcopy.srec"),
              0);
    const auto ours = dataRecords(readFile("rom.hex"));
    EXPECT_EQ(ours.size(), 40001u / 15 + 1);
    EXPECT_EQ(ours, dataRecords(readFile("objcopy.srec")));
}

} // namespace
