#include "VersionInfo.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

TEST(VersionInfo, EachDeliverableCarriesTheProjectVersion)
{
    for (const char* lib : {"/libvintrel.so", "/libpelmora.so"}) {
        qrl::VersionRecord record;
        ASSERT_TRUE(qrl::readVersionRecord(QStringLiteral(QUORLYN_BIN_DIR) + QLatin1String(lib), record))
            << lib;
        EXPECT_EQ(qrl::versionText(record.file), QStringLiteral(QUORLYN_VERSION_TEXT)) << lib;
        EXPECT_EQ(qrl::versionText(record.product), QStringLiteral(QUORLYN_VERSION_TEXT)) << lib;
    }
}

TEST(VersionInfo, FilesWithoutARecordAnswerFalseAndLeaveTheOutputAlone)
{
    qrl::test::TempDirectory dir;
    qrl::test::writeFile(dir.file("short"), "\x7F"
                                            "ELF");
    std::string fake(64, '\0');
    fake.replace(0, 6,
                 "\x7F"
                 "ELF\x02\x01");
    fake[0x3A] = 64; // section headers claimed far past the end
    fake[0x3C] = 10;
    fake[0x28] = '\x7F';
    qrl::test::writeFile(dir.file("hostile"), fake);
    for (const std::string& name : {std::string("/bin/sh-missing"), dir.file("short"), dir.file("hostile"),
                                    std::string("/etc/hostname")}) {
        qrl::VersionRecord record;
        record.file[0] = 42;
        EXPECT_FALSE(qrl::readVersionRecord(QString::fromStdString(name), record)) << name;
        EXPECT_EQ(record.file[0], 42);
    }
    qrl::VersionRecord none;
    EXPECT_FALSE(qrl::readVersionRecord(QStringLiteral("/bin/true"), none));
}
