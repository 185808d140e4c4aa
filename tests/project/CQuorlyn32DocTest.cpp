#include "CQuorlyn32Doc.h"
#include "CGlobalPrefs.h"
#include "CProjItem.h"
#include "CQuorlyn32Err.h"
#include "ProjectTestSupport.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>

using qrl::test::ProjectTest;
using qrl::test::RecordingPane;
using Outcome = CQuorlyn32Doc::AddOutcome;

namespace {

const QString kLimitText =
    QStringLiteral("An Quorlyn project can have max. 256 items.\nPlease use another Quorlyn project.");

} // namespace

class DocTest : public ProjectTest {
protected:
    // Adds a file and answers the outcome; `kind` keeps no kind unless something was added.
    Outcome add(const QString& path)
    {
        Outcome outcome = Outcome::Added;
        kind = kKindNone;
        doc.AddFile(path, kind, &outcome);
        code = GetQuorlyn32Err().FetchError();
        return outcome;
    }

    qrl::test::CheckedDoc doc;
    ResourceKind kind = kKindNone;
    std::uint16_t code = 0;
};

TEST_F(DocTest, AddsAFileOnceAndTellsTheWindowWhy)
{
    const QString path = makeFile("forms/a.prn", "form");
    EXPECT_EQ(add(path), Outcome::Added);
    EXPECT_EQ(kind, kKindForm);
    EXPECT_EQ(code, kAddErrorNone);

    // The same file under another spelling of its path is the same file.
    EXPECT_EQ(add(dirPath() + QStringLiteral("/forms/../forms/./a.prn")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorDuplicate);
    EXPECT_EQ(kind, kKindNone);
    EXPECT_TRUE(QFile::link(path, dirPath() + QStringLiteral("/link.prn")));
    EXPECT_EQ(add(dirPath() + QStringLiteral("/link.prn")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorDuplicate);
    EXPECT_TRUE(ui.shown().isEmpty());
    EXPECT_EQ(doc.GetItemCount(), 1);

    EXPECT_EQ(CQuorlyn32Err::RefusalMessage(kAddErrorDuplicate, path),
              path + QStringLiteral("\n\nis already in the project"));
    EXPECT_EQ(CQuorlyn32Err::RefusalMessage(kAddErrorCapacity, path), qrl::text(2318) + path);
    EXPECT_EQ(CQuorlyn32Err::RefusalMessage(kAddErrorShown, path), QString());
}

TEST_F(DocTest, HoldsAtMost256Items)
{
    doc.GetProjSett().m_medium = kHardDisk;
    for (int i = 0; i < CQuorlyn32Doc::kMaxItems; ++i)
        ASSERT_EQ(add(makeFile("f" + std::to_string(i) + ".prg", "x")), Outcome::Added) << i;
    EXPECT_TRUE(ui.shown().isEmpty());

    // The 257th add by path is refused before the file is looked at.
    EXPECT_EQ(add(dirPath() + QStringLiteral("/not there.prg")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorShown);
    EXPECT_EQ(ui.texts(), QStringList{kLimitText});

    // Every road in is bounded, the stored records too.
    ItemRecord stored;
    stored.resourceType = kProgramData;
    stored.path = makeFile("g.prg", "x").toStdString();
    Outcome outcome = Outcome::Added;
    EXPECT_EQ(doc.AddItemFromRecord(stored, &outcome), nullptr);
    EXPECT_EQ(outcome, Outcome::Refused);
    EXPECT_EQ(doc.GetItemCount(), CQuorlyn32Doc::kMaxItems);
}

TEST_F(DocTest, CapacityOfEachMedium)
{
    struct Case {
        StorageMedium medium;
        int sizeIndex;
        std::uint32_t customSize;
        std::size_t fileSize;
        bool fits;
    };
    const Case cases[] = {
        {kSramCard, 0, 0, 33000, false},
        {kSramCard, 0, 0, 32768, true},
        {kJeidaCard, 0, 0, 32769, false},
        {kOtpCard, 1, 0, 65536, true},
        {kCompactFlashCard, 23, 96 * 1024, 98305, false},
        {kCompactFlashCard, 23, 96 * 1024, 98304, true},
        {kEprom, 0, 0, 40000, true},
        {kHardDisk, 0, 0, 40000, true},
        {kMicroDrive, 0, 0, 40000, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        qrl::test::CheckedDoc project;
        project.GetProjSett().m_medium = c.medium;
        project.GetProjSett().m_storageSizeIndex = static_cast<std::uint16_t>(c.sizeIndex);
        project.GetProjSett().m_customSize = c.customSize;
        ResourceKind k = kKindNone;
        const QString path = makeFile("cap" + std::to_string(n++) + ".prg", std::string(c.fileSize, 'x'));
        EXPECT_EQ(project.AddFile(path, k), c.fits) << static_cast<int>(c.medium) << " " << c.fileSize;
        EXPECT_EQ(GetQuorlyn32Err().FetchError(), c.fits ? kAddErrorNone : kAddErrorCapacity)
            << static_cast<int>(c.medium);
        EXPECT_EQ(project.GetItemCount(), c.fits ? 1 : 0);
    }
    EXPECT_EQ(doc.GetCapacityInBytes(23), 0u);
    EXPECT_EQ(doc.GetCapacityInBytes(999), 134217728u);
    EXPECT_EQ(doc.GetCapacityInBytes(30), 30u);
}

TEST_F(DocTest, TotalsDoNotWrapPast4GiB)
{
    doc.GetProjSett().m_medium = kHardDisk;
    const QString large = makeFile("large.prg", "");
    ASSERT_TRUE(QFile(large).resize(0xFFFFFFFFll)); // sparse
    EXPECT_EQ(add(large), Outcome::Added);
    EXPECT_EQ(add(makeFile("two.prg", "xx")), Outcome::Added);
    EXPECT_EQ(doc.GetTotalInBytes(), 0x100000001ull);

    // A total of 4 GiB and one byte is far over a 128 MB card.
    doc.GetProjSett().m_medium = kCompactFlashCard;
    EXPECT_EQ(add(makeFile("three.prg", "x")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorCapacity);

    // A file of 4 GiB cannot be held by the record at all.
    doc.GetProjSett().m_medium = kHardDisk;
    const QString huge = makeFile("huge.prg", "");
    ASSERT_TRUE(QFile(huge).resize(0x100000000ll));
    ui.clear();
    EXPECT_EQ(add(huge), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorShown);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2403)));
}

TEST_F(DocTest, RefusalsWhoseReasonIsShownLeaveNoCode)
{
    ASSERT_EQ(add(makeFile("abcd.mcr", "!R! MCRO ABCD; ENDM; EXIT;")), Outcome::Added);
    // A Tellurade macro's name is taken, whatever the new item's type.
    EXPECT_EQ(add(makeFile("ABCD.prn", "form")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorNone);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3013)});
    EXPECT_EQ(add(makeFile("ABCE.prn", "form")), Outcome::Added);

    // A new PCL macro has its id checked; a stored one keeps the id it was saved with.
    ui.clear();
    const QString macro = makeFile("big.pcl", "\x1b&f40000Y\x1b&f0X body \x1b&f1X");
    EXPECT_EQ(add(macro), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorNone);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2446)));
    ASSERT_EQ(add(makeFile("ok.pcl", "\x1b&f12Y\x1b&f0X body \x1b&f1X")), Outcome::Added);
    EXPECT_EQ(doc.GetItemID(doc.GetItemAt(2)->serial()), 12u);
    ItemRecord stored;
    stored.resourceType = kPclMacro;
    stored.resourceId = 7;
    stored.path = macro.toStdString();
    ASSERT_NE(doc.AddItemFromRecord(stored), nullptr);
    EXPECT_EQ(doc.GetItemAt(3)->record().resourceId, 7u);
}

TEST_F(DocTest, FindsMovedFilesInTheResourceDirectories)
{
    struct Case {
        const char* what;
        const char* storedPath;
        const char* fileOnDisk; // relative to the directory given
        bool general;
        Outcome outcome;
    };
    const Case cases[] = {
        {"general directory", "/gone/a.prn", "res/a.prn", true, Outcome::Added},
        {"subtype's directory", "/gone/b.prn", "forms/b.prn", false, Outcome::Added},
        {"written on Windows", "C:\\FORMS\\C.PRN", "forms/c.prn", false, Outcome::Added},
        {"nowhere", "/gone/d.prn", "elsewhere/d.prn", false, Outcome::Skipped},
    };
    qrl::context().directories.resources = dirPath() + QStringLiteral("/res");
    qrl::context().directories.forms = dirPath() + QStringLiteral("/forms/");
    QDir().mkpath(dirPath() + QStringLiteral("/res"));
    for (const Case& c : cases) {
        const QString onDisk = makeFile(c.fileOnDisk, "form");
        ItemRecord stored;
        stored.resourceType = kApplicationForm;
        stored.path = c.storedPath;
        doc.SetModifiedFlag(false);
        ui.clear();
        Outcome outcome = Outcome::Refused;
        CProjItem* item = doc.AddItemFromRecord(stored, &outcome);
        EXPECT_EQ(outcome, c.outcome) << c.what;
        if (c.outcome == Outcome::Added) {
            ASSERT_NE(item, nullptr) << c.what;
            EXPECT_EQ(item->GetPath(), onDisk) << c.what;
            EXPECT_EQ(item->record().path, onDisk.toStdString()) << c.what;
            EXPECT_EQ(item->record().fileSize, 4u) << c.what;
            EXPECT_FALSE(item->isMissing()) << c.what;
            EXPECT_TRUE(ui.shown().isEmpty()) << c.what;
        } else {
            ASSERT_EQ(ui.shown().size(), 1) << c.what;
            EXPECT_EQ(ui.shown()[0].buttons, qrl::Buttons::OkCancel);
            EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2405))) << c.what;
        }
        EXPECT_TRUE(doc.IsModified()) << c.what;
    }
    // Cancel on the question stops a load.
    ItemRecord lost;
    lost.resourceType = kApplicationForm;
    lost.path = "/gone/e.prn";
    ui.answer(qrl::Answer::Cancel);
    Outcome outcome = Outcome::Added;
    EXPECT_EQ(doc.AddItemFromRecord(lost, &outcome), nullptr);
    EXPECT_EQ(outcome, Outcome::Cancelled);
    // OK lets the caller go on: TRUE, but nothing added and no kind to show.
    const int count = doc.GetItemCount();
    ResourceKind k = kKindNone;
    EXPECT_TRUE(doc.AddItem(std::make_unique<CProjItem>(lost), k));
    EXPECT_EQ(k, kKindNone);
    EXPECT_EQ(doc.GetItemCount(), count);

    // While messages are off (the old-format import), the question is not shown and answers OK.
    doc.SetShowMessages(0);
    ui.clear();
    EXPECT_EQ(doc.AddItemFromRecord(lost, &outcome), nullptr);
    EXPECT_EQ(outcome, Outcome::Skipped);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(DocTest, ALoadSkipsARefusedRecordAndGoesOn)
{
    const QString bad = makeFile("bad.prn", "form");
    const QString good = makeFile("good.prn", "form");
    doc.refused = QStringList{bad};
    ItemRecord record;
    record.resourceType = kApplicationForm;
    record.path = bad.toStdString();
    EXPECT_EQ(doc.AddItemFromRecord(record), nullptr);
    record.path = good.toStdString();
    EXPECT_NE(doc.AddItemFromRecord(record), nullptr);
    // A record stored twice: the second is dropped with the message the window would show.
    EXPECT_EQ(doc.AddItemFromRecord(record), nullptr);
    EXPECT_EQ(ui.texts(), QStringList{good + qrl::text(2317)});
    EXPECT_EQ(doc.GetItemCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(GetQuorlyn32Err().PeekError(), kAddErrorNone);
}

TEST_F(DocTest, AnExtensionMappingIsKeptOnlyForAFileTheProjectTakes)
{
    // The user maps ".pfb" to a TrueType font and asks to keep it; the file is no such font.
    const QString pfb = makeFile("a.pfb", "\x80\x01 not a font");
    const QString mapKey = QStringLiteral("Map #%1").arg(activePrefs()->count());
    const int mapped = activePrefs()->count();
    doc.refused = QStringList{pfb};
    question.answer(UnknownExtensionChoice{kTrueTypeFont, true});
    EXPECT_EQ(add(pfb), Outcome::Refused);
    EXPECT_EQ(activePrefs()->count(), mapped);
    EXPECT_EQ(activePrefs()->SubtypeByExtension(QStringLiteral("pfb")), kSubtypeUnmapped);
    EXPECT_EQ(profile.getString(QStringLiteral("File Mappings"), mapKey), QString());

    // Asked again, the user's second choice is taken with the file, and kept.
    doc.refused.clear();
    question.answer(UnknownExtensionChoice{kProgramData, true});
    EXPECT_EQ(add(pfb), Outcome::Added);
    EXPECT_EQ(question.asked(), (QStringList{pfb, pfb}));
    EXPECT_EQ(activePrefs()->count(), mapped + 1);
    EXPECT_EQ(profile.getString(QStringLiteral("File Mappings"), mapKey),
              QStringLiteral("pfb;DATA;Program Data"));
    EXPECT_EQ(add(makeFile("b.pfb", "x")), Outcome::Added);
    EXPECT_EQ(question.asked().size(), 2);
}

TEST_F(DocTest, ImagesGoToTheBitmapDialog)
{
    std::string bmp =
        "BM" + std::string(8, '\0') + std::string("\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 20);
    bmp.resize(54 + 4, '\0');
    EXPECT_EQ(doc.GetImageFileType(makeFile("a.bmp", bmp)), 1);
    // The dialog answers cancelled: nothing is added, no code is left.
    EXPECT_EQ(add(dirPath() + QStringLiteral("/a.bmp")), Outcome::Refused);
    EXPECT_EQ(code, kAddErrorNone);
    EXPECT_EQ(doc.GetItemCount(), 0);

    // A .bmp that is no loadable bitmap is an ordinary file.
    question.answer(UnknownExtensionChoice{kProgramData, false});
    EXPECT_EQ(add(makeFile("b.bmp", "BM but nothing else")), Outcome::Added);
    EXPECT_EQ(kind, kKindData);
}

TEST_F(DocTest, RemovingAndRefreshingThePane)
{
    RecordingPane pane;
    ASSERT_EQ(add(makeFile("a.prn", std::string(2048, 'x'))), Outcome::Added);
    const int serial = doc.GetItemAt(0)->serial();
    EXPECT_EQ(doc.GetItemIndex(serial), 0);
    EXPECT_EQ(doc.GetItemSizeText(serial), QStringLiteral("2048"));
    pane.texts.clear();
    EXPECT_FALSE(doc.RemoveItem(serial + 1000));
    EXPECT_TRUE(pane.texts.isEmpty());
    EXPECT_TRUE(doc.RemoveItem(serial));
    EXPECT_EQ(doc.GetItemCount(), 0);
    ASSERT_EQ(pane.texts.size(), 1);
    EXPECT_TRUE(pane.texts[0].startsWith(QStringLiteral("Resource count:  0 ")));
    EXPECT_EQ(doc.GetItem(serial), nullptr);
    EXPECT_EQ(doc.GetItemPath(serial), QString());
}

TEST_F(DocTest, FlaggedItemOfEachGroup)
{
    ASSERT_EQ(add(makeFile("f1.prn", "x")), Outcome::Added);
    ASSERT_EQ(add(makeFile("f2.prn", "x")), Outcome::Added);
    ASSERT_EQ(add(makeFile("m.mcr", "!R! MCRO M; ENDM; EXIT;")), Outcome::Added);
    ASSERT_EQ(add(makeFile("d.prg", "x")), Outcome::Added);
    const int form1 = doc.GetItemAt(0)->serial();
    const int form2 = doc.GetItemAt(1)->serial();
    const int macro = doc.GetItemAt(2)->serial();
    const int data = doc.GetItemAt(3)->serial();
    EXPECT_EQ(doc.FindFlaggedItem(form1), -1);
    doc.SetItemFlag(form2, 1);
    EXPECT_EQ(doc.FindFlaggedItem(form1), form2);
    EXPECT_EQ(doc.FindFlaggedItem(macro), -1);
    doc.SetItemFlag(macro, 1);
    EXPECT_EQ(doc.FindFlaggedItem(data), macro);
}

TEST_F(DocTest, TrueTypeNamesStayWithin31Bytes)
{
    ASSERT_EQ(add(makeFile("a.ttf", std::string(30, ' '))), Outcome::Added);
    const int serial = doc.GetItemAt(0)->serial();
    doc.SetItemName(serial, QString(40, QLatin1Char('n')));
    EXPECT_EQ(doc.GetItemName(serial), QString(31, QLatin1Char('n')));
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2356)});
}

TEST_F(DocTest, RenamesCountSingleBytesAndRefuseWhatTheRecordCannotHold)
{
    ASSERT_EQ(add(makeFile("a.ttf", std::string(30, ' '))), Outcome::Added);
    ASSERT_EQ(add(makeFile("f.prn", "x")), Outcome::Added);
    const int font = doc.GetItemAt(0)->serial();
    const int form = doc.GetItemAt(1)->serial();
    const QString accents = QStringLiteral("a") + QString(20, QChar(0xE9));
    struct Case {
        const char* what;
        int serial;
        QString typed;
        QString stored; // empty: refused, the name stays
        std::string bytes;
        int message; // 0: none
    };
    const Case cases[] = {
        {"21 characters are 21 bytes", font, accents, accents, "a" + std::string(20, '\xe9'), 0},
        {"TrueType cut at 31", font, QString(40, u'n'), QString(31, u'n'), std::string(31, 'n'), 2356},
        {"form of 32", form, QString(32, u'x'), QString(32, u'x'), std::string(32, 'x'), 0},
        {"form of 36", form, QString(36, u'y'), {}, {}, 2357},
        {"euro sign", form, QStringLiteral("B\u00fcro \u20ac"), {}, {}, 9081},
        {"Polish letter", font, QStringLiteral("\u0141\u00f3d\u017a"), {}, {}, 9081},
    };
    for (const Case& c : cases) {
        ui.clear();
        const std::string before = doc.GetItem(c.serial)->record().name;
        EXPECT_EQ(doc.SetItemName(c.serial, c.typed), !c.stored.isEmpty()) << c.what;
        EXPECT_EQ(doc.GetItem(c.serial)->record().name, c.stored.isEmpty() ? before : c.bytes) << c.what;
        if (!c.stored.isEmpty()) {
            EXPECT_EQ(doc.GetItemName(c.serial), c.stored) << c.what;
        }
        EXPECT_EQ(ui.texts(), c.message ? QStringList{qrl::text(c.message)} : QStringList{}) << c.what;
    }
}

TEST_F(DocTest, ActiveProjectAndModifiedNotice)
{
    int notices = 0;
    QObject::connect(&doc, &CQuorlyn32Doc::modifiedChanged, [&notices](bool) { ++notices; });
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(notices, 2);
    {
        qrl::test::CheckedDoc other;
        CQuorlyn32Doc::SetActive(&other);
        EXPECT_EQ(CQuorlyn32Doc::GetActive(), &other);
    }
    EXPECT_EQ(CQuorlyn32Doc::GetActive(), nullptr);
}

TEST_F(DocTest, TheContentCheckGuardsTheAddRoad)
{
    CQuorlyn32Doc checked;
    ResourceKind k = kKindNone;
    EXPECT_TRUE(checked.AddFile(makeFile("macros/good.mcr", "!R! MCRO GOOD; TEXT 'x'; ENDM; EXIT;"), k));
    EXPECT_EQ(k, kKindMacro);
    k = kKindNone;
    EXPECT_FALSE(checked.AddFile(makeFile("macros/bad.mcr", "!R! TEXT 'no macro here'; EXIT;"), k));
    EXPECT_EQ(GetQuorlyn32Err().FetchError(), kAddErrorShown);
    EXPECT_EQ(k, kKindNone);
    EXPECT_EQ(checked.GetItemCount(), 1);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2440)));
}
