// The dialog's rules without the dialog: printed sizes, the proposed macro file, the image
// headers, the checks of the entries with their corrections, the folder probe and the results.
#include "BitmapToMacroForm.h"
#include "BitmapImages.h"
#include "BitmapToMacroCheck.h"
#include "BitmapToMacroHeader.h"
#include "FileMessages.h"
#include "ProjectTestSupport.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>

namespace {

using Focus = BitmapToMacroRefusal::Focus;
const QString kTooBig = QStringLiteral("Too big value.\r\nPlease check the value");

TEST(BitmapToMacroSizes, FollowTheUnitAndTheResolution)
{
    // 100 pixels at 75 dpi are 3.39 cm; in dots the pixel count whatever the resolution.
    EXPECT_EQ(qrl::bitmapmacro::printedLengthText(100, 0, BitmapToMacroForm::kCentimeters),
              QStringLiteral("3.39"));
    EXPECT_EQ(qrl::bitmapmacro::printedLengthText(100, 5, BitmapToMacroForm::kDots),
              QStringLiteral("100.00"));
    EXPECT_EQ(qrl::bitmapmacro::printedLengthText(100, 4, BitmapToMacroForm::kInches),
              QStringLiteral("0.33"));
    EXPECT_EQ(qrl::bitmapmacro::printedLengthText(600, 5, BitmapToMacroForm::kCentimeters),
              QStringLiteral("2.54"));
    EXPECT_EQ(qrl::bitmapmacro::unitLabel(BitmapToMacroForm::kInches), QStringLiteral("inches"));
}

TEST(BitmapToMacroSizes, ProposeTheMacroFileByTheImagesName)
{
    const struct {
        const char* image;
        const char* macros;
        const char* expected;
    } cases[] = {
        {"/pics/logo.bmp", "", "/pics/logo.mcr"},
        {"/pics/logo.bmp", "/macros", "/macros/logo.mcr"},
        {"/pics/logo.old.bmp", "/macros/", "/macros/logo.old.mcr"},
        // Without a dot in the name the whole path is cut after its last dot.
        {"/pics.d/logo", "", "/pics.mcr"},
        {"/pics.d/logo", "/macros", "/macros/mcr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qrl::bitmapmacro::defaultMacroFilePath(QString::fromLatin1(c.image),
                                                         QString::fromLatin1(c.macros)),
                  QString::fromLatin1(c.expected))
            << c.image;
}

class BitmapToMacroFiles : public qrl::test::ProjectTest {
protected:
    BitmapToMacroForm imageForm(int type, const std::string& bytes)
    {
        BitmapToMacroForm form;
        form.imageType = type;
        form.sourcePath = makeFile("image", bytes);
        return form;
    }
    // A form that passes every check.
    BitmapToMacroForm goodForm() const
    {
        BitmapToMacroForm form;
        form.macroName = QStringLiteral("logo");
        form.macroFilePath = dirPath() + QStringLiteral("/logo.mcr");
        return form;
    }
};

TEST_F(BitmapToMacroFiles, HeadersGiveSizeAndResolution)
{
    BitmapToMacroForm bmp = imageForm(BitmapToMacroForm::kBmp, qrl::test::paletteBmp(16, 2835));
    EXPECT_EQ(qrl::bitmapmacro::readImageHeader(bmp), 0);
    EXPECT_EQ(bmp.pixelWidth, 8);
    EXPECT_EQ(bmp.pixelHeight, 2);
    EXPECT_EQ(bmp.resolutionXText, QStringLiteral("72"));
    // Below 40 pixels per metre the values are shown as stored.
    BitmapToMacroForm low = imageForm(BitmapToMacroForm::kBmp, qrl::test::paletteBmp(16, 39));
    EXPECT_EQ(qrl::bitmapmacro::readImageHeader(low), 0);
    EXPECT_EQ(low.resolutionYText, QStringLiteral("39"));

    BitmapToMacroForm jpeg = imageForm(BitmapToMacroForm::kJpeg, qrl::test::jfifJpeg(300));
    jpeg.pixelWidth = 5;
    EXPECT_EQ(qrl::bitmapmacro::readImageHeader(jpeg), 0);
    EXPECT_EQ(jpeg.resolutionXText, QStringLiteral("300"));
    EXPECT_EQ(jpeg.pixelWidth, 0);
    BitmapToMacroForm noDensity = imageForm(BitmapToMacroForm::kJpeg, qrl::test::jfifJpeg(0));
    EXPECT_EQ(qrl::bitmapmacro::readImageHeader(noDensity), 0);
    EXPECT_TRUE(noDensity.resolutionXText.isEmpty());

    const struct {
        int type;
        std::string bytes;
        int error;
    } failures[] = {
        {BitmapToMacroForm::kJpeg, qrl::test::jfifJpeg(300).substr(0, 31), 2430},
        {BitmapToMacroForm::kBmp, qrl::test::monochromeBmp().substr(0, 40), 2430},
        {BitmapToMacroForm::kBmp, "BA" + qrl::test::monochromeBmp().substr(2), 2382},
        {BitmapToMacroForm::kBmp,
         [] {
             std::string b = qrl::test::monochromeBmp();
             b[6] = 1;
             return b;
         }(),
         2382},
        {BitmapToMacroForm::kBmp,
         [] {
             std::string b = qrl::test::monochromeBmp();
             b[14] = 12;
             return b;
         }(),
         2382},
    };
    for (const auto& f : failures) {
        BitmapToMacroForm form = imageForm(f.type, f.bytes);
        EXPECT_EQ(qrl::bitmapmacro::readImageHeader(form), f.error);
    }
    BitmapToMacroForm missing;
    missing.sourcePath = dirPath() + QStringLiteral("/missing.bmp");
    EXPECT_EQ(qrl::bitmapmacro::readImageHeader(missing), 2431);
}

struct CheckCase {
    const char* name;
    QString BitmapToMacroForm::*field;
    const char* text;
    int unit;
    QStringList messages;
    Focus focus;
};

TEST_F(BitmapToMacroFiles, ChecksStopAtTheFirstRefusalWithItsMessageAndFocus)
{
    using F = BitmapToMacroForm;
    const char* const noFolder = "/no-such-folder-for-macros/x.mcr";
    const CheckCase cases[] = {
        {"no name", &F::macroName, "", 0, {qrl::text(2378)}, Focus::MacroName},
        {"blank first", &F::macroName, " AB", 0, {qrl::text(3011)}, Focus::MacroName},
        {"digit first", &F::macroName, "1AB", 0, {qrl::text(3011)}, Focus::MacroName},
        {"comma", &F::macroName, "A,B", 0, {qrl::text(3015)}, Focus::MacroName},
        {"no file", &F::macroFilePath, "", 0, {qrl::text(3010)}, Focus::MacroFile},
        {"no drive", &F::macroFilePath, "C:", 0, {qrl::text(3012)}, Focus::MacroFile},
        {"relative", &F::macroFilePath, "macros/x.mcr", 0, {qrl::text(3012)}, Focus::MacroFile},
        {"no folder",
         &F::macroFilePath,
         noFolder,
         0,
         {fileMessageText(2400, 2221, 2408, QString::fromLatin1(noFolder))},
         Focus::MacroFile},
        {"x too big", &F::positionXText, "42", F::kCentimeters, {kTooBig}, Focus::PositionX},
        {"y too big in inches", &F::positionYText, "19,5", F::kInches, {kTooBig}, Focus::PositionY},
        {"dots take no point", &F::positionXText, "1.5", F::kDots, {qrl::text(3041)}, Focus::PositionX},
        {"two points", &F::positionYText, "1.2.3", F::kCentimeters, {qrl::text(3041)}, Focus::PositionY},
        {"letter", &F::positionXText, "1a", F::kCentimeters, {}, Focus::PositionX},
        {"height letter", &F::outputHeightEntry, "x", F::kCentimeters, {}, Focus::OutputHeight},
        {"width too big", &F::outputWidthEntry, "50400", F::kDots, {kTooBig}, Focus::OutputWidth},
    };
    for (const CheckCase& c : cases) {
        ui.clear();
        BitmapToMacroForm form = goodForm();
        form.*c.field = QString::fromLatin1(c.text);
        form.unitIndex = c.unit;
        const auto refusal = qrl::bitmapmacro::checkForm(form, nullptr);
        ASSERT_TRUE(refusal) << c.name;
        EXPECT_EQ(refusal->focus, c.focus) << c.name;
        EXPECT_EQ(ui.texts(), c.messages) << c.name;
    }
}

TEST_F(BitmapToMacroFiles, PassingChecksCorrectTheEntries)
{
    BitmapToMacroForm form = goodForm();
    form.macroName = QStringLiteral("ab c");
    form.positionXText = QStringLiteral("41,5");
    EXPECT_FALSE(qrl::bitmapmacro::checkForm(form, nullptr));
    EXPECT_EQ(form.macroName, QStringLiteral("ABC"));
    EXPECT_EQ(form.positionXText, QStringLiteral("41.5"));
    EXPECT_TRUE(ui.shown().isEmpty());
    // "#Value" replaces a field that is no number.
    form.positionYText = QStringLiteral("1a");
    EXPECT_TRUE(qrl::bitmapmacro::checkForm(form, nullptr));
    EXPECT_EQ(form.positionYText, QStringLiteral("#Value"));
}

TEST_F(BitmapToMacroFiles, TheFolderProbeLeavesNothingAndSparesAFileOfItsName)
{
    const QString macro = dirPath() + QStringLiteral("/logo.mcr");
    EXPECT_TRUE(qrl::bitmapmacro::probeFolder(macro));
    EXPECT_EQ(QDir(dirPath()).entryList(QDir::Files), QStringList());

    const QString probe = makeFile("mewhat.trt", "somebody's notes");
    EXPECT_TRUE(qrl::bitmapmacro::probeFolder(macro));
    EXPECT_EQ(qrl::test::readFile(probe.toStdString()), "somebody's notes");
    EXPECT_EQ(QDir(dirPath()).entryList(QDir::Files), QStringList{QStringLiteral("mewhat.trt")});

    EXPECT_FALSE(qrl::bitmapmacro::probeFolder(dirPath() + QStringLiteral("/none/logo.mcr")));
}

TEST(BitmapToMacroResults, AreWhatTheCallerHandsTheLibrary)
{
    BitmapToMacroForm bmp;
    bmp.macroFilePath = QStringLiteral("/m/logo.mcr");
    bmp.macroName = QStringLiteral("logo");
    bmp.resolutionIndex = 4;
    bmp.unitIndex = 2;
    bmp.positionXText = QStringLiteral("10");
    bmp.outputWidthEntry = QStringLiteral("5");
    bmp.outputHeightEntry = QStringLiteral("5");
    bmp.portraitFlag = 1;
    bmp.landscapeFlag = 1;
    CQuorlyn32Doc::BitmapToMacroRequest r = qrl::bitmapmacro::toRequest(bmp);
    EXPECT_EQ(r.path, QStringLiteral("/m/logo.mcr"));
    EXPECT_EQ(r.macroName, QStringLiteral("LOGO"));
    EXPECT_EQ(r.resolution, QStringLiteral("300"));
    EXPECT_EQ(r.unit, QStringLiteral("Dots"));
    EXPECT_TRUE(r.positionX.isEmpty()); // "Position" is off
    EXPECT_EQ(r.width, QStringLiteral("%1"));
    EXPECT_EQ(r.height, QStringLiteral("%2"));
    EXPECT_EQ(r.orientation, 2);
    EXPECT_EQ(r.colour, 0);

    BitmapToMacroForm jpeg = bmp;
    jpeg.imageType = BitmapToMacroForm::kJpeg;
    jpeg.positionFlag = 1;
    jpeg.landscapeFlag = 0;
    r = qrl::bitmapmacro::toRequest(jpeg);
    EXPECT_EQ(r.positionX, QStringLiteral("10"));
    EXPECT_EQ(r.width, QStringLiteral("5"));
    EXPECT_EQ(r.orientation, 1);
    EXPECT_EQ(r.colour, 1);
    jpeg.outputHeightEntry.clear();
    r = qrl::bitmapmacro::toRequest(jpeg);
    EXPECT_EQ(r.width, QStringLiteral("%1"));
    EXPECT_EQ(r.height, QStringLiteral("%2"));
}

} // namespace
