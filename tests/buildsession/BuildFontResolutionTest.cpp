// The resolution scan of a printer-language bitmap font and the 600 dpi patch of its header.
#include "FontHeaderResolution.h"

#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

using namespace qrl::build;

namespace {

const std::string kFontStart = "!R! UNIT D; LDFC 12,'Gothic',P,0,2,0,12,0,1,";

QString fileMessage(int format, int error, const std::string& path)
{
    return qrl::formatText(qrl::text(format),
                           {QString::fromStdString(path), qrl::text(error), qrl::text(2401)});
}

} // namespace

TEST(BuildFontResolution, TheTenthParameterOfTheFirstLdfcCommand)
{
    qrl::test::TempDirectory dir;
    qrl::test::ScriptedUserInterface ui;
    const std::string path = dir.file("font.txt");
    struct Case {
        std::string text;
        bool ok;
        int resolution;
        int error; // the file message's error text, 0 for none
    };
    const Case cases[] = {
        {kFontStart + "600,0; SFA 1;", true, 600, 0},
        {"!R! unit d; ldfc 12,'Gothic',P,0,2,0,12,0,1, 300 ;", true, 300, 0},
        {kFontStart + "600", true, 600, 0},                                // the number ends with the file
        {"!R! LDFC 12,'Gothic',P,0,2; EXIT, 1,2,3,4,5,6,7;", true, -1, 0}, // the command ends first
        {"!r! LDFC 12,'Gothic',P,0,2,0,12,0,1,600;", false, -1, 2442},
        {"!R! UNIT D; MCRO ABCD; ENDM; EXIT;", false, -1, 2450},
        {"!R!LDFC 1,2", false, -1, 2403}, // 20 bytes or less
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui.clear();
        qrl::test::writeFile(path, c.text);
        int resolution = 0;
        EXPECT_EQ(GetLDFCResolution(QString::fromStdString(path), resolution), c.ok);
        EXPECT_EQ(resolution, c.resolution);
        QStringList texts;
        if (c.error)
            texts << fileMessage(c.error == 2403 ? 2400 : 2404, c.error, path);
        EXPECT_EQ(ui.texts(), texts);
    }
}

TEST(BuildFontResolution, OnlyA600DpiFontPatchesAHeaderLongEnough)
{
    qrl::test::TempCwd cwd;
    qrl::test::ScriptedUserInterface ui;
    const std::string font600 = cwd.file("f600.txt");
    const std::string font300 = cwd.file("f300.txt");
    qrl::test::writeFile(font600, kFontStart + "600;");
    qrl::test::writeFile(font300, kFontStart + "300;");
    const std::string header(96, '\x01');
    std::string patched = header;
    patched.replace(80, 4, "\x02\x58\x02\x58");

    qrl::test::writeFile(cwd.file("BBM00002.HDR"), header);
    FixFontHeaderResolution(QString::fromStdString(font600), 2);
    EXPECT_EQ(qrl::test::readFile(cwd.file("BBM00002.HDR")), patched);

    qrl::test::writeFile(cwd.file("BBM00003.HDR"), header);
    FixFontHeaderResolution(QString::fromStdString(font300), 3);
    EXPECT_EQ(qrl::test::readFile(cwd.file("BBM00003.HDR")), header);
    EXPECT_TRUE(ui.texts().isEmpty());

    // A header too short for the resolution field, or none at all, is refused untouched.
    qrl::test::writeFile(cwd.file("BBM00004.HDR"), std::string(82, '\x01'));
    FixFontHeaderResolution(QString::fromStdString(font600), 4);
    EXPECT_EQ(qrl::test::readFile(cwd.file("BBM00004.HDR")), std::string(82, '\x01'));
    FixFontHeaderResolution(QString::fromStdString(font600), 5);
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(2463), qrl::text(2463)}));
}
