// The document's add road for images: the dialog's answer, the raster library's call with the
// project's checks before it, and the macro file that joins the project.
#include "BitmapImages.h"
#include "BitmapToMacroCall.h"
#include "CProjItem.h"
#include "CQuorlyn32Err.h"
#include "FileMessages.h"
#include "ProjectTestSupport.h"
#include "Replaceable.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <QFile>

#include <functional>

namespace {

using Request = CQuorlyn32Doc::BitmapToMacroRequest;

// Answers the dialog with a change made to what the document asked; records what it was asked.
class ScriptedRunner : public BitmapToMacroRunner {
public:
    bool run(CQuorlyn32Doc&, Request& request) override
    {
        asked.push_back(request);
        if (!answer)
            return false;
        answer(request);
        return true;
    }

    std::function<void(Request&)> answer;
    std::vector<Request> asked;

private:
    qrl::ScopedReplacement<BitmapToMacroRunner> m_installed{setBitmapToMacroRunner, this};
};

class BitmapRoadTest : public qrl::test::ProjectTest {
protected:
    // Adds `image`; the dialog answers a macro "LOGO" in `macroName`.mcr beside it, changed by `change`.
    bool add(const QString& image, const std::function<void(Request&)>& change = {})
    {
        runner.answer = [this, change](Request& r) {
            r.path = dirPath() + QStringLiteral("/logo.mcr");
            r.macroName = QStringLiteral("LOGO");
            r.resolution = QStringLiteral("Default");
            r.unit = QStringLiteral("Centimeters");
            r.width = QStringLiteral("%1");
            r.height = QStringLiteral("%2");
            r.colour = r.imageType == 1 ? 0 : 1;
            r.orientation = 0;
            if (change)
                change(r);
        };
        kind = kKindNone;
        const bool added = doc.AddFile(image, kind);
        code = GetQuorlyn32Err().FetchError();
        return added;
    }
    QString macroPath() const { return dirPath() + QStringLiteral("/logo.mcr"); }
    std::string macroText() const { return qrl::test::readFile(macroPath().toStdString()); }

    qrl::test::CheckedDoc doc;
    ScriptedRunner runner;
    ResourceKind kind = kKindNone;
    std::uint16_t code = 0;
};

struct ImageCase {
    const char* name;
    std::string bytes;
    int imageType;
    int colour;
    const char* macroStart;
};

class BitmapRoadImages : public BitmapRoadTest, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(BitmapRoadImages, WritesTheMacroAndAddsIt)
{
    const ImageCase& c = GetParam();
    const QString image = makeFile(std::string("picture.") + c.name, c.bytes);
    ASSERT_TRUE(add(image, [&c](Request& r) { r.colour = c.colour; }));

    ASSERT_EQ(runner.asked.size(), 1u);
    EXPECT_EQ(runner.asked[0].path, image);
    EXPECT_EQ(runner.asked[0].imageType, c.imageType);
    EXPECT_EQ(runner.asked[0].orientation, 1);
    EXPECT_EQ(kind, kKindMacro);
    EXPECT_EQ(code, kAddErrorNone);
    ASSERT_EQ(doc.GetItemCount(), 1);
    const CProjItem* item = doc.GetItemAt(0);
    EXPECT_EQ(item->GetPath(), macroPath());
    EXPECT_EQ(item->subtype(), kTelluradeMacro);
    EXPECT_EQ(item->GetName(), QStringLiteral("LOGO"));
    EXPECT_EQ(macroText().rfind(c.macroStart, 0), 0u) << macroText().substr(0, 60);
    EXPECT_TRUE(ui.shown().isEmpty()) << ui.texts().join(QLatin1Char('|')).toStdString();
}

const ImageCase kImages[] = {
    {"bmp", qrl::test::monochromeBmp(), 1, 0, "!R!MCRO LOGO;SCG;SCF;SCU;SCP;SCCS;SRO1;UNIT C;RVRD;2;"},
    {"colour", qrl::test::paletteBmp(16), 1, 1,
     "!R!MCRO LOGO;SCG;SCF;SCU;SCP;SCCS;SRO1;UNIT C;cid 0,3,8,8,8,8;"},
    {"jpg", qrl::test::jfifJpeg(300), 2, 1, "!R!MCRO LOGO %;GRRD J,%1,%2;\xFF\xD8"},
    {"tif", qrl::test::littleEndianTiff(), 3, 1, "!R!MCRO LOGO %;GRRD T,%1,%2;II*"},
};
INSTANTIATE_TEST_SUITE_P(Images, BitmapRoadImages, ::testing::ValuesIn(kImages),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(BitmapRoadTest, CancelledOrFailedConversionsAddNothingAndSetNoCode)
{
    const QString mono = makeFile("mono.bmp", qrl::test::monochromeBmp());
    runner.answer = nullptr;
    kind = kKindNone;
    EXPECT_FALSE(doc.AddFile(mono, kind));
    EXPECT_EQ(GetQuorlyn32Err().FetchError(), kAddErrorNone);
    EXPECT_EQ(runner.asked.size(), 1u);

    // A two-colour image cannot become a colour macro: the library says why, nothing is added.
    const QString twoColour = makeFile("two.bmp", qrl::test::paletteBmp(2));
    EXPECT_FALSE(add(twoColour, [](Request& r) { r.colour = 1; }));
    EXPECT_EQ(code, kAddErrorNone);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2388)));

    // A monochrome conversion that fails does not add the macro an earlier run left there.
    qrl::test::writeFile(macroPath().toStdString(), "!R!MCRO OLD;ENDM;EXIT;");
    runner.answer = nullptr;
    EXPECT_FALSE(add(mono, [&mono](Request&) { qrl::test::writeFile(mono.toStdString(), "BM broken"); }));
    EXPECT_EQ(code, kAddErrorNone);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(macroText(), "!R!MCRO OLD;ENDM;EXIT;");
    EXPECT_FALSE(QFile::exists(macroPath() + QStringLiteral(".tmp")));
}

TEST_F(BitmapRoadTest, ProjectClashesAreRefusedBeforeTheFileIsWritten)
{
    const QString image = makeFile("logo.bmp", qrl::test::monochromeBmp());
    const QString form = makeFile("form.prn", "the form's bytes");
    ResourceKind formKind = kKindFont;
    ASSERT_TRUE(doc.AddFile(form, formKind));
    const QString macro = makeFile("old.mcr", "!R!MCRO LOGO;ENDM;EXIT;");
    ASSERT_TRUE(doc.AddFile(macro, formKind));

    // Any file of the project, a form too, is never overwritten by a macro.
    EXPECT_FALSE(add(image, [&form](Request& r) {
        r.path = form;
        r.macroName = QStringLiteral("NEW");
    }));
    EXPECT_EQ(qrl::test::readFile(form.toStdString()), "the form's bytes");
    // A name the project's macros already use.
    EXPECT_FALSE(add(image));
    EXPECT_FALSE(QFile::exists(macroPath()));
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(3014), qrl::text(3013)}));
    EXPECT_EQ(code, kAddErrorNone);
    EXPECT_EQ(doc.GetItemCount(), 2);
}

TEST_F(BitmapRoadTest, AMacroFileThatIsTheImageKeepsTheImageAndAddsNothing)
{
    const std::string jpeg = qrl::test::jfifJpeg(300);
    const QString image = makeFile("picture.jpg", jpeg);
    ASSERT_TRUE(QFile::link(image, dirPath() + QStringLiteral("/link.mcr")));
    for (const QString& spelling :
         {image, dirPath() + QStringLiteral("/link.mcr"), dirPath() + QStringLiteral("/./picture.jpg")}) {
        SCOPED_TRACE(spelling.toStdString());
        ui.clear();
        EXPECT_FALSE(add(image, [&spelling](Request& r) { r.path = spelling; }));
        EXPECT_EQ(ui.texts(), QStringList{fileMessageText(2400, 9080, 2401, spelling)});
        EXPECT_EQ(qrl::test::readFile(image.toStdString()), jpeg);
        EXPECT_EQ(doc.GetItemCount(), 0);
    }
}

struct TooLongCase {
    const char* name;
    std::function<void(Request&)> change;
    QString message;
};

TEST_F(BitmapRoadTest, TextsLongerThanTheLibraryFieldsAreRefusedNotCut)
{
    const QString image = makeFile("logo.bmp", qrl::test::monochromeBmp());
    const QString tooBig = QStringLiteral("Too big value.\r\nPlease check the value");
    const TooLongCase cases[] = {
        {"name", [](Request& r) { r.macroName = QStringLiteral("ABCDE"); }, qrl::text(3015)},
        {"wide name", [](Request& r) { r.macroName = QStringLiteral("A\u00C4\u00C4\u00C4\u00C4"); },
         qrl::text(3015)},
        {"no single byte", [](Request& r) { r.macroName = QStringLiteral("A\u0141"); }, qrl::text(9081)},
        {"position", [](Request& r) { r.positionX = QStringLiteral("12345678"); }, tooBig},
        {"width", [](Request& r) { r.width = QStringLiteral("123.4567"); }, tooBig},
        {"unit", [](Request& r) { r.unit = QStringLiteral("Centimeters and more"); }, tooBig},
    };
    for (const TooLongCase& c : cases) {
        ui.clear();
        EXPECT_FALSE(add(image, c.change)) << c.name;
        EXPECT_EQ(ui.texts(), QStringList{c.message}) << c.name;
        EXPECT_FALSE(QFile::exists(macroPath())) << c.name;
    }
    // A macro path the project's records cannot hold.
    ui.clear();
    const QString longPath =
        dirPath() + QLatin1Char('/') + QString(250, QLatin1Char('m')) + QStringLiteral(".mcr");
    EXPECT_FALSE(add(image, [&longPath](Request& r) { r.path = longPath; }));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(longPath));
    EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(BitmapRoadTest, TheLibrarysMessagesComeFromTheStringTableThroughTheProgramsBoxes)
{
    const QString image = makeFile("logo.bmp", qrl::test::paletteBmp(16));
    EXPECT_FALSE(add(image, [this](Request& r) {
        r.path = dirPath() + QStringLiteral("/no folder/logo.mcr");
        r.colour = 1;
    }));
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].text, qrl::text(2385));
    EXPECT_EQ(ui.shown()[0].caption, dirPath() + QStringLiteral("/no folder/logo.mcr"));
    EXPECT_EQ(doc.GetItemCount(), 0);
}

} // namespace
