#include "CProjItem.h"
#include "CGlobalPrefs.h"
#include "CQuorlyn32Doc.h"
#include "Profile.h"
#include "ProjectTestSupport.h"
#include "ResourceFixtures.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <QFile>

using qrl::test::ProjectTest;

namespace {

const std::string kEsc = "\x1b";

} // namespace

using CProjItemTest = ProjectTest;

TEST_F(CProjItemTest, KindIsTheSameOnTheAddRoadAndAfterReload)
{
    activePrefs()->Add({QStringLiteral("FONT"), QStringLiteral("myf"), QStringLiteral("My Fonts"), 10});
    struct Case {
        const char* file;
        int subtype;
        ResourceKind kind;
    };
    const Case cases[] = {
        {"a.ttf", kTrueTypeFont, kKindFont},
        {"a.sfl", kPclBitmapLandscapeFont, kKindFont},
        {"a.pcl", kPclMacro, kKindMacro},
        {"a.mcr", kTelluradeMacro, kKindMacro},
        {"a.prn", kApplicationForm, kKindForm},
        {"a.prg", kProgramData, kKindData},
        {"a.myf", kSubtypeUnknownDescription, kKindFont},
    };
    for (const Case& c : cases) {
        const CProjItem added(makeFile(c.file, std::string(30, ' ')), 0, 0);
        EXPECT_EQ(added.subtype(), c.subtype) << c.file;
        EXPECT_EQ(added.kind(), c.kind) << c.file;
        const CProjItem reloaded(added.record());
        EXPECT_EQ(reloaded.kind(), c.kind) << c.file;
    }
    ItemRecord stray;
    stray.resourceType = 200;
    EXPECT_EQ(CProjItem(stray).kind(), kKindNone);
}

TEST(ResourceKindNumbers, TheFourKindsRoundTripAndOtherNumbersNameNoKind)
{
    const struct {
        int number;
        std::optional<ResourceKind> kind;
    } cases[] = {
        {0, kKindFont},    {1, kKindMacro},    {2, kKindForm},         {3, kKindData},
        {4, std::nullopt}, {-1, std::nullopt}, {0xFFFF, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kindOfNumber(c.number), c.kind) << c.number;
        if (c.kind) {
            EXPECT_EQ(kindNumber(*c.kind), c.number);
        }
    }
}

TEST_F(CProjItemTest, ExtensionComesFromTheFileNameOnly)
{
    const CProjItem dotted(makeFile("my.dir/font.TTF", std::string(30, ' ')), 0, 0);
    EXPECT_EQ(dotted.extension(), QStringLiteral("TTF"));
    EXPECT_EQ(dotted.subtype(), kTrueTypeFont);
    EXPECT_TRUE(question.asked().isEmpty());

    // "dir/file" is no extension: the user is asked about a file without one.
    const CProjItem bare(makeFile("my.dir/file", std::string(30, ' ')), 0, 0);
    EXPECT_EQ(bare.extension(), QString());
    EXPECT_EQ(question.asked(), QStringList{bare.GetPath()});
}

TEST_F(CProjItemTest, UnknownExtensionQuestion)
{
    // Cancel: a refused item without a sentinel name.
    const CProjItem cancelled(makeFile("a.xyz", "data"), 0, 0);
    EXPECT_TRUE(cancelled.isCancelled());
    EXPECT_EQ(cancelled.subtype(), kTrueTypeFont);
    EXPECT_EQ(cancelled.GetName(), QString());

    // A file whose stem really is CANCELED is an ordinary item.
    const CProjItem named(makeFile("CANCELED.prn", "data"), 0, 0);
    EXPECT_FALSE(named.isCancelled());
    EXPECT_EQ(named.GetName(), QStringLiteral("CANCELED"));

    const int mapped = activePrefs()->count();
    question.answer(UnknownExtensionChoice{kTelluradeMacro, true});
    CProjItem remembered(makeFile("b.xyz", "!R! MCRO QQ; ENDM; EXIT;"), 0, 0);
    EXPECT_EQ(remembered.subtype(), kTelluradeMacro);
    EXPECT_EQ(remembered.GetName(), QStringLiteral("QQ"));
    // The mapping waits for the project to take the item.
    EXPECT_EQ(activePrefs()->count(), mapped);
    remembered.StoreChosenMapping();
    ASSERT_EQ(activePrefs()->count(), mapped + 1);
    EXPECT_EQ(profile.getString(QStringLiteral("File Mappings"), QStringLiteral("Map #%1").arg(mapped)),
              QStringLiteral("xyz;MACRO;Tellurade Macro"));

    // An extension with the map's separator is classified as chosen but never stored.
    question.answer(UnknownExtensionChoice{kApplicationForm, true});
    CProjItem separator(makeFile("c.x;y", "data"), 0, 0);
    EXPECT_EQ(separator.subtype(), kApplicationForm);
    separator.StoreChosenMapping();
    EXPECT_EQ(activePrefs()->count(), mapped + 1);
    question.answer(UnknownExtensionChoice{kProgramData, true});
    CProjItem none(makeFile("noextension", "data"), 0, 0);
    EXPECT_EQ(none.subtype(), kProgramData);
    none.StoreChosenMapping();
    EXPECT_EQ(activePrefs()->count(), mapped + 1);
}

TEST_F(CProjItemTest, FontIdsOfTheProjectJoined)
{
    qrl::test::CheckedDoc doc;
    EXPECT_EQ(CProjItem::NextFreeFontId(&doc), 1000u);
    EXPECT_EQ(CProjItem::NextFreeTypefaceId(&doc), 10000u);
    ResourceKind kind = kKindNone;
    ASSERT_TRUE(doc.AddFile(makeFile("a.ttf", std::string(30, ' ')), kind));
    ASSERT_TRUE(doc.AddFile(makeFile("b.ttf", std::string(30, ' ')), kind));
    EXPECT_EQ(doc.GetItemAt(1)->record().resourceId, 1001u);
    EXPECT_EQ(doc.GetItemAt(1)->record().typefaceId, 10001u);
    doc.SetItemID(doc.GetItemAt(0)->serial(), 1001);
    doc.SetItemID(doc.GetItemAt(1)->serial(), 1000);
    EXPECT_EQ(CProjItem(makeFile("c.ttf", std::string(30, ' ')), 0, 0, &doc).record().resourceId, 1002u);

    // Without a project given, the active one counts.
    EXPECT_EQ(CProjItem(makeFile("d.ttf", std::string(30, ' ')), 0, 0).record().resourceId, 1000u);
    CQuorlyn32Doc::SetActive(&doc);
    EXPECT_EQ(CProjItem(makeFile("e.ttf", std::string(30, ' ')), 0, 0).record().resourceId, 1002u);
    CQuorlyn32Doc::SetActive(nullptr);

    EXPECT_EQ(CProjItem::TypefaceFromFontId(12), 10012u);
    EXPECT_EQ(CProjItem::TypefaceFromFontId(10000), 10000u);
}

TEST_F(CProjItemTest, PclFontIds)
{
    struct Case {
        const char* file;
        std::string bytes;
        std::uint32_t fontId;
        std::uint32_t typeface;
    };
    const std::string font = qrl::test::fixtures::pclFont(4101, "Courier");
    const Case cases[] = {
        {"a.sfp", qrl::test::fixtures::pclFont(4101, "Courier", kEsc + "*c123D"), 50123, 4101},
        {"b.sfp", qrl::test::fixtures::pclFont(4101, "Courier", kEsc + "*c60001D"), 50001, 4101},
        {"c.sfp", font, 1000, 4101},
        {"d.sfs", font, 1000, 4101},
        {"e.sfp", std::string(100, ' ') + font, 1000, 4101}, // found only by the escape search
        {"f.sfp", std::string(80, ' '), 1000, 2000},
    };
    for (const Case& c : cases) {
        const CProjItem item(makeFile(c.file, c.bytes), 0, 0);
        EXPECT_EQ(item.record().resourceId, c.fontId) << c.file;
        EXPECT_EQ(item.record().typefaceId, c.typeface) << c.file;
    }
    EXPECT_EQ(CProjItem(makeFile("g.sfs", font), 0, 0).GetName(), QStringLiteral("Courier"));
}

TEST_F(CProjItemTest, LdfcFontIdBelow256)
{
    const QString path = makeFile("a.ldf", "!R! LDFC 12,0,0,0,0,0,0,0,0; EXIT;");
    const CProjItem quiet(path, 0, 0);
    EXPECT_EQ(quiet.record().resourceId, 12u);
    EXPECT_EQ(quiet.record().typefaceId, 10012u);
    // The id field is cut short by the end of the file.
    const CProjItem atTheEnd(makeFile("c.ldf", "!R! SFNT 1; LDFC 77,0;"), 0, 0);
    EXPECT_EQ(atTheEnd.record().resourceId, 77u);
    EXPECT_EQ(atTheEnd.record().typefaceId, 10077u);
    EXPECT_TRUE(ui.shown().isEmpty());

    profile.setInt(QStringLiteral("Settings"), QStringLiteral("Font ID Messages"), 1);
    const CProjItem told(path, 0, 0);
    EXPECT_EQ(told.record().resourceId, 1012u);
    EXPECT_EQ(told.record().typefaceId, 11012u);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts()[0],
              QStringLiteral("Font :  ") + path + QStringLiteral("\nID :  12") + qrl::text(2321));

    EXPECT_EQ(CProjItem(makeFile("b.ldf", "!R! no font here; EXIT;"), 0, 0).record().resourceId, 2000u);
}

TEST_F(CProjItemTest, NamesFromTheFiles)
{
    struct Case {
        const char* file;
        std::string bytes;
        const char* name;
    };
    const Case cases[] = {
        {"abc.mcr", "!R! MCRO ABCDE; ENDM; EXIT;", "ABCD"},
        {"stem.mcr", "!R! MCRO    ;  ENDM; EXIT;", "STEM"},
        {"longstem.tlr", "!R! CALL X; EXIT;", "LONGSTEM"},
        {"m.pcl", kEsc + "&f100Y" + kEsc + "&f0X" + std::string(20, ' '), "100"},
        {"short.pcl", std::string(20, ' '), "NG"},
        {"font.ttf", qrl::test::fixtures::trueType("MyFont-Bold"), "MyFont-Bold"},
        {"win.ttf", qrl::test::fixtures::trueType("X", {0, 0, 3, 6, 1}), "win.ttf"},
        {"tiny.ttf", std::string(100, 'a'), "tiny"},
        {"long.ttf", qrl::test::fixtures::trueType(std::string(40, 'n')), "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn"},
        {"form.v2.prn", "data", "form"},
        // A file name's character without a single byte is not sent as some other character.
        {"\xc5\x81\xc3\xb3"
         "d\xc5\xba.prn",
         "data",
         "_\xf3"
         "d_"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CProjItem(makeFile(c.file, c.bytes), 0, 0).GetName(), QString::fromLatin1(c.name))
            << c.file;
}

TEST_F(CProjItemTest, NamesAreSingleBytesCutAtTheirField)
{
    CProjItem item(makeFile("a.prn", "x"), 0, 0);
    item.SetName(QString(31, QLatin1Char('a')) + QStringLiteral("\u00e9"));
    EXPECT_EQ(item.record().name, std::string(31, 'a') + "\xe9");
    item.SetName(QString(40, QLatin1Char('b')));
    EXPECT_EQ(item.record().name, std::string(32, 'b'));
    item.SetName(QString());
    EXPECT_EQ(item.record().name, std::string(32, 'b'));

    // Bytes of an old project that are not UTF-8 are shown as Latin-1.
    ItemRecord old;
    old.name = "Schrift\xe4";
    EXPECT_EQ(CProjItem(old).GetName(), QStringLiteral("Schrift\u00e4"));
}

TEST_F(CProjItemTest, RebuiltFromARecord)
{
    ItemRecord stored;
    stored.resourceType = kTelluradeMacro;
    stored.name = "LONGNAME";
    stored.path = "C:\\MACROS\\GONE.MCR";
    stored.fileSize = 99;
    const CProjItem missing(stored);
    EXPECT_TRUE(missing.isMissing());
    EXPECT_EQ(missing.record().fileSize, 0u);
    EXPECT_EQ(missing.GetName(), QStringLiteral("LONGNAME"));
    EXPECT_EQ(missing.fileName(), QStringLiteral("GONE.MCR"));

    stored.path = makeFile("here.mcr", "!R! MCRO HERE; ENDM; EXIT;").toStdString();
    const CProjItem present(stored);
    EXPECT_FALSE(present.isMissing());
    EXPECT_EQ(present.record().fileSize, 26u);
    EXPECT_EQ(present.GetName(), QStringLiteral("LONG"));
    EXPECT_LT(missing.serial(), present.serial());
}

TEST_F(CProjItemTest, PathThatDoesNotFitTheRecordIsRefused)
{
    const QString path = makeFile(std::string(150, 'd') + "/" + std::string(110, 'f') + ".prn", "x");
    const CProjItem item(path, 0, 0);
    EXPECT_TRUE(item.isPathTooLong());
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(QStringLiteral("longer than 255 bytes")));
    EXPECT_TRUE(ui.texts()[0].contains(path));
}

TEST_F(CProjItemTest, VerifyPclMacroId)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        std::uint32_t id;
        QString message;
    };
    const QString path = QString::fromStdString(cwd.file("m.pcl"));
    const QString outOfRange = qrl::text(2446);
    const Case cases[] = {
        {"plain", kEsc + "&f321Y" + kEsc + "&f0X", true, 321, {}},
        {"above 32767", kEsc + "&f40000Y", false, 0, outOfRange},
        {"wraps 32 bits", kEsc + "&f4294967396Y", false, 0, outOfRange},
        {"no id", kEsc + "&f0X body", false, 0, qrl::text(2214)},
    };
    for (const Case& c : cases) {
        makeFile("m.pcl", c.bytes);
        CProjItem item(path, 0, 0);
        ui.clear();
        EXPECT_EQ(item.VerifyPclMacroId(), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(item.record().resourceId, c.id) << c.what;
            EXPECT_TRUE(ui.shown().isEmpty()) << c.what;
        } else {
            ASSERT_EQ(ui.texts().size(), 1) << c.what;
            EXPECT_TRUE(ui.texts()[0].contains(c.message)) << c.what;
        }
    }
    CProjItem gone(path, 0, 0);
    QFile::remove(path);
    ui.clear();
    EXPECT_FALSE(gone.VerifyPclMacroId());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2322) + path + qrl::text(2323)});
}

TEST_F(CProjItemTest, WriteParFile)
{
    const std::string body = "BODY\r\n";
    const CProjItem macro(
        makeFile("m.pcl", kEsc + "&f7Y" + kEsc + "&f0X" + body + kEsc + "&f1X" + kEsc + "E"), 0, 0);
    QString name = dirPath() + QStringLiteral("/pcl00003.tmp");
    EXPECT_TRUE(macro.WriteParFile(name));
    EXPECT_EQ(name, dirPath() + QStringLiteral("/pcl00003.par"));
    EXPECT_EQ(qrl::test::readFile(name.toStdString()), body + kEsc + "&f1X");

    // A body without its end is named in a message, never silently refused.
    const CProjItem open(makeFile("n.pcl", kEsc + "&f7Y" + kEsc + "&f0X" + body), 0, 0);
    ui.clear();
    QString second = dirPath() + QStringLiteral("/pcl00004.tmp");
    EXPECT_FALSE(open.WriteParFile(second));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2417)));

    // A .par file that cannot be written is a failure with its message.
    ui.clear();
    QString unwritable = dirPath() + QStringLiteral("/no such dir/pcl00005.tmp");
    EXPECT_FALSE(macro.WriteParFile(unwritable));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(QStringLiteral("pcl00005.par")));
}
