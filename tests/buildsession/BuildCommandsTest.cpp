// The printer commands around the slot images, the Tarnwick trim, and the names they accept.
#include "SlotCommands.h"
#include "SlotDelivery.h"
#include "Spooler.h"

#include "TempCwd.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace qrl::build;

TEST(BuildCommands, EveryFamilyAndKindHasItsPrefix)
{
    struct Case {
        int kind;
        CommandFamily family;
        const char* name;
        const char* withFormat;
        const char* withoutFormat;
    };
    using F = CommandFamily;
    const Case cases[] = {
        {1, F::IccdCard, "Cour10", "!R!ICCD I,D;ICCD F,A;ICCD W,A,1,'Cour10';",
         "!R!ICCD I,D;ICCD W,A,1,'Cour10';"},
        {1, F::RwerCard, "Cour10", "!R!RWER I,D;RWER F,A;RWER W,A,1,'Cour10';",
         "!R!RWER I,D;RWER W,A,1,'Cour10';"},
        {1, F::RwerDisk, "Cour10", "!R!RWER I,D;RWER F,0;RWER W,0,1,'Cour10';",
         "!R!RWER I,D;RWER W,0,1,'Cour10';"},
        {1, F::RwrfCard, "Cour10", "!R!RWRF I,D;RWRF F,A;RWRF W,A,'FNT','RSF','Cour10';",
         "!R!RWRF I,D;RWRF W,A,'FNT','RSF','Cour10';"},
        {1, F::RwrfDisk, "Cour10", "!R!RWRF I,D;RWRF F,0;RWRF W,0,'FNT','RSF','Cour10';",
         "!R!RWRF I,D;RWRF W,0,'FNT','RSF','Cour10';"},
        {2, F::IccdCard, "Inv", "!R!ICCD I,D;ICCD F,A;ICCD W,A,2,'Inv';", "!R!ICCD I,D;ICCD W,A,2,'Inv';"},
        {2, F::RwerCard, "Inv", "!R!RWER I,D;RWER F,A;RWER W,A,2,'Inv';", "!R!RWER I,D;RWER W,A,2,'Inv';"},
        {2, F::RwerDisk, "Inv", "!R!RWER I,D;RWER F,0;RWER W,0,2,'Inv';", "!R!RWER I,D;RWER W,0,2,'Inv';"},
        {2, F::RwrfCard, "Inv", "!R!RWRF I,D;RWRF F,A;RWRF W,A,'PRN','Inv';",
         "!R!RWRF I,D;RWRF W,A,'PRN','Inv';"},
        {2, F::RwrfDisk, "Inv", "!R!RWRF I,D;RWRF F,0;RWRF W,0,'PRN','Inv';",
         "!R!RWRF I,D;RWRF W,0,'PRN','Inv';"},
        {16, F::IccdCard, "abcd", "!R!ICCD I,D;ICCD F,A;ICCD W,A,16,'ABCD';",
         "!R!ICCD I,D;ICCD W,A,16,'ABCD';"},
        {16, F::RwerCard, "abcd", "!R!RWER I,D;RWER F,A;RWER W,A,16,'ABCD';",
         "!R!RWER I,D;RWER W,A,16,'ABCD';"},
        {16, F::RwerDisk, "abcd", "!R!RWER I,D;RWER F,0;RWER W,0,16,'ABCD';",
         "!R!RWER I,D;RWER W,0,16,'ABCD';"},
        {16, F::RwrfCard, "abcd", "!R!RWRF I,D;RWRF F,A;RWRF W,A,'MCR','TLR','ABCD','ABCD.mcr';",
         "!R!RWRF I,D;RWRF W,A,'MCR','TLR','ABCD','ABCD.mcr';"},
        {16, F::RwrfDisk, "abcd", "!R!RWRF I,D;RWRF F,0;RWRF W,0,'MCR','TLR','ABCD','ABCD.mcr';",
         "!R!RWRF I,D;RWRF W,0,'MCR','TLR','ABCD','ABCD.mcr';"},
        {16, F::RwerCard, "12", "!R!RWER I,D;RWER F,A;RWER W,A,16,'12';", "!R!RWER I,D;RWER W,A,16,'12';"},
        {16, F::RwrfCard, "12", "!R!RWRF I,D;RWRF F,A;RWRF W,A,'MCR','PCL',12,'12.mcr';",
         "!R!RWRF I,D;RWRF W,A,'MCR','PCL',12,'12.mcr';"},
        {16, F::RwrfDisk, "12", "!R!RWRF I,D;RWRF F,0;RWRF W,0,'MCR','PCL',12,'12.mcr';",
         "!R!RWRF I,D;RWRF W,0,'MCR','PCL',12,'12.mcr';"},
        {128, F::IccdCard, "fwupdate", "!R!ICCD I,D;ICCD F,A;ICCD W,A,128,'fwupdate';",
         "!R!ICCD I,D;ICCD W,A,128,'fwupdate';"},
        {128, F::RwerCard, "fwupdate", "!R!RWER I,D;RWER F,A;RWER W,A,128,'fwupdate';",
         "!R!RWER I,D;RWER W,A,128,'fwupdate';"},
        {128, F::RwerDisk, "fwupdate", "!R!RWER I,D;RWER F,0;RWER W,0,128,'fwupdate';",
         "!R!RWER I,D;RWER W,0,128,'fwupdate';"},
        {128, F::RwrfCard, "fwupdate",
         "!R!RWRF I,D;RWRF F,A;RWRF W,A,'API','TLR','FWUP','api_main','FWUP_prg';",
         "!R!RWRF I,D;RWRF W,A,'API','TLR','FWUP','api_main','FWUP_prg';"},
        {128, F::RwrfDisk, "fw", "!R!RWRF I,D;RWRF F,0;RWRF W,0,'API','TLR','FW','api_main','FW_prg';",
         "!R!RWRF I,D;RWRF W,0,'API','TLR','FW','api_main','FW_prg';"},
        {0, F::RwerCard, "EPROM", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.withoutFormat);
        EXPECT_EQ(slotPrefix(c.kind, c.name, c.family, true), QByteArray(c.withFormat));
        EXPECT_EQ(slotPrefix(c.kind, c.name, c.family, false), QByteArray(c.withoutFormat));
    }
}

TEST(BuildCommands, FamiliesFollowTargetCardAndTarnwick)
{
    EXPECT_EQ(commandFamily(BuildTarget::Card, false, false), CommandFamily::IccdCard);
    EXPECT_EQ(commandFamily(BuildTarget::Card, false, true), CommandFamily::IccdCard);
    EXPECT_EQ(commandFamily(BuildTarget::Card, true, false), CommandFamily::RwerCard);
    EXPECT_EQ(commandFamily(BuildTarget::Card, true, true), CommandFamily::RwrfCard);
    EXPECT_EQ(commandFamily(BuildTarget::Disk, false, false), CommandFamily::RwerDisk);
    EXPECT_EQ(commandFamily(BuildTarget::Disk, true, true), CommandFamily::RwrfDisk);
}

TEST(BuildCommands, NamesThatWouldBreakACommandAreRefused)
{
    using F = CommandFamily;
    EXPECT_EQ(checkSlotName(16, "ABCD", F::RwerCard), NameCheck::Ok);
    EXPECT_EQ(checkSlotName(2, "Fa\xc3\xa7ture", F::RwerCard), NameCheck::Ok); // UTF-8 bytes pass unchanged
    EXPECT_EQ(checkSlotName(2, "it's", F::RwerCard), NameCheck::Quote);
    EXPECT_EQ(checkSlotName(1, QByteArray("A\nB"), F::IccdCard), NameCheck::ControlByte);
    EXPECT_EQ(checkSlotName(1, QByteArray("A\x7f"), F::IccdCard), NameCheck::ControlByte);
    // The unquoted PCL macro number of the Tarnwick families.
    EXPECT_EQ(checkSlotName(16, "12", F::RwrfCard), NameCheck::Ok);
    EXPECT_EQ(checkSlotName(16, "12;EXIT", F::RwrfDisk), NameCheck::NotANumber);
    EXPECT_EQ(checkSlotName(16, "12;EXIT", F::RwerCard), NameCheck::Ok);
    // Only the four characters the Tarnwick program-data command uses count.
    EXPECT_EQ(checkSlotName(128, "fwup'date", F::RwrfCard), NameCheck::Ok);
    EXPECT_EQ(checkSlotName(128, "fwup'date", F::RwerCard), NameCheck::Quote);
}

TEST(BuildCommands, PowerOnFormCommand)
{
    EXPECT_EQ(MakePowerOnFormCommand("FORM1"), QByteArray("!R!FRPO I0,'FORM1';EXIT,E;"));
}

TEST(BuildCommands, TarnwickTrimKeepsTheMacroAndDropsZerosAmongTheLastFour)
{
    qrl::test::TempCwd cwd;
    struct Case {
        std::string macro; // the bytes after the 236 bytes of slot header, directory and macro header
        std::string sent;
    };
    const Case cases[] = {
        {std::string("MCRO\x00\x41\x00\x00", 8), "MCRO\x41"}, // a zero before the last byte goes too
        {std::string("ABCDEF\x00\x00", 8), "ABCDEF"},
        {std::string("AB\x00\x00\x43", 5), "ABC"},
        {"", ""},
        // Zeros among the last five: the fifth from the end is the macro's own and stays.
        {std::string("XY\x00\x00\x00\x00\x00", 7), std::string("XY\x00", 3)},
        {std::string(5, '\0'), std::string(1, '\0')},
        {std::string("\x00\x41\x00", 3), "A"},
        // A macro longer than a copy block: the kept part ends in a second block.
        {std::string(qrl::kSendBlockSize + 2, 'M') + std::string("\x00\x00\x00\x4E\x00", 5),
         std::string(qrl::kSendBlockSize + 2, 'M') + std::string("\x00\x4E", 2)},
    };
    for (const Case& c : cases) {
        const std::string image = std::string(236, '\x11') + c.macro;
        qrl::test::writeFile(cwd.file("SLT00003.SLT"), image);
        ASSERT_TRUE(SlotDelivery::TrimSlotFile(3));
        EXPECT_EQ(qrl::test::readFile(cwd.file("SLT00003.SLT")), c.sent);
        EXPECT_FALSE(QFile::exists(QStringLiteral("TMP00003.prn")));
    }
    // An image too short to hold a macro is left as it is.
    qrl::test::writeFile(cwd.file("SLT00001.SLT"), std::string(200, 'x'));
    EXPECT_FALSE(SlotDelivery::TrimSlotFile(1));
    EXPECT_EQ(qrl::test::readFile(cwd.file("SLT00001.SLT")), std::string(200, 'x'));
}
