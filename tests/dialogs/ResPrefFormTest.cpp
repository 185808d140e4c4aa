#include "ResPrefForm.h"

#include "ProjectTestSupport.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <gtest/gtest.h>

namespace {

using qrl::Answer;

class ResPrefFormTest : public qrl::test::ProjectTest {
protected:
    int add(const std::string& name, const std::string& bytes)
    {
        ResourceKind kind = kKindNone;
        EXPECT_TRUE(doc.AddFile(makeFile(name, bytes), kind)) << name;
        return doc.GetItemAt(doc.GetItemCount() - 1)->serial();
    }
    int addFont(const std::string& name, std::uint32_t id)
    {
        const int serial = add(name, std::string(30, ' '));
        doc.SetItemID(serial, id);
        return serial;
    }
    int addMacro(const std::string& name)
    {
        return add(name + ".mcr", "!R! MCRO " + name + "; TEXT 'x'; ENDM; EXIT;");
    }
    int addForm(const std::string& name) { return add(name + ".prn", "form"); }

    qrl::test::CheckedDoc doc;
};

TEST_F(ResPrefFormTest, SpinsAndTypedNumbersStayInRange)
{
    ResPrefForm font;
    font.kind = kKindFont;
    struct Spin {
        std::uint32_t from;
        int step;
        std::uint32_t font;
        std::uint32_t typeface;
    };
    // Down from 0 must not wrap to a huge number; a font id never spins below 129.
    for (const Spin& c : {Spin{129, -1, 129, 128}, Spin{0, -1, 129, 0}, Spin{65535, 1, 65535, 65535},
                          Spin{200, 1, 201, 201}, Spin{0xFFFFFFFFu, 1, 65535, 65535}}) {
        font.id = c.from;
        EXPECT_EQ(qrl::respref::spinId(font, c.step), c.font) << c.from;
        EXPECT_EQ(qrl::respref::spinTypeface(c.from, c.step), c.typeface) << c.from;
    }
    ResPrefForm other;
    other.kind = kKindMacro;
    EXPECT_EQ(qrl::respref::spinId(other, -1), 0u);

    struct Typed {
        const char* text;
        std::optional<std::uint32_t> value;
    };
    for (const Typed& c :
         {Typed{"300", 300u}, Typed{"70000", 65535u}, Typed{"000001", 65535u}, Typed{"99999999999", 65535u},
          Typed{"12a", std::nullopt}, Typed{"-1", std::nullopt}, Typed{" 5", std::nullopt},
          Typed{"\u0663", std::nullopt}})
        EXPECT_EQ(qrl::respref::parseNumberText(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST_F(ResPrefFormTest, LocationOfLongPaths)
{
    const QString base = QStringLiteral("/home/printroom/resources/fonts/");
    EXPECT_EQ(qrl::respref::locationText(QStringLiteral("/short/path.ttf")),
              QStringLiteral("/short/path.ttf"));
    // 60 characters whose last 34 begin with a separator.
    const QString sixty = QString(26, QLatin1Char('a')) + QLatin1Char('/') + QString(33, QLatin1Char('b'));
    ASSERT_EQ(sixty.size(), 60);
    EXPECT_EQ(qrl::respref::locationText(sixty), QStringLiteral("aaa..") + sixty.right(34));
    const QString thirtyThree =
        QString(27, QLatin1Char('a')) + QLatin1Char('/') + QString(32, QLatin1Char('b'));
    EXPECT_EQ(qrl::respref::locationText(thirtyThree), QStringLiteral("aaa..") + thirtyThree.right(33));
    const QString none = base + QString(40, QLatin1Char('c'));
    EXPECT_EQ(qrl::respref::locationText(none), QStringLiteral("/ho../~") + none.right(33));
}

TEST_F(ResPrefFormTest, FontIdChecksRefuseBeforeAnythingIsWritten)
{
    const int taken = addFont("taken.ttf", 300);
    const int serial = addFont("mine.ttf", 1000);
    doc.SetModifiedFlag(false);
    ResPrefForm form = qrl::respref::loadForm(doc, serial);
    ASSERT_EQ(form.storedId, 1000u);

    struct Case {
        std::uint32_t id;
        std::optional<Answer> answer;
        bool passes;
        int message;
    };
    for (const Case& c :
         {Case{100, {}, false, 2216}, Case{0, {}, false, 2216}, Case{200, Answer::Cancel, false, 2215},
          Case{200, Answer::Ok, true, 2215}, Case{300, {}, false, 2218}, Case{1000, {}, true, 0}}) {
        ui.clear();
        if (c.answer)
            ui.answer(*c.answer);
        form.id = c.id;
        EXPECT_EQ(qrl::respref::confirmFontId(doc, serial, form), c.passes) << c.id;
        ASSERT_EQ(ui.shown().isEmpty(), c.message == 0) << c.id;
        if (c.message) {
            EXPECT_EQ(ui.shown().front().text, qrl::text(c.message)) << c.id;
        }
    }
    EXPECT_EQ(doc.GetItemID(serial), 1000u);
    EXPECT_EQ(doc.GetItemID(taken), 300u);
    EXPECT_FALSE(doc.IsModified());

    // A font keeping its own id is not refused, and a macro's number is not a font's.
    const int macro = add("m.pcl", "\x1b&f300Y\x1b&f0X"
                                   "body"
                                   "\x1b&f1X");
    doc.SetItemID(macro, 400);
    form.id = 400;
    ui.clear();
    EXPECT_TRUE(qrl::respref::confirmFontId(doc, serial, form));
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ResPrefFormTest, OkWritesWhatChangedAndMarksTheProject)
{
    const int serial = addFont("tt.ttf", 1000);
    doc.SetTypefaceID(serial, 5);
    doc.SetSymbolSet(serial, 3);
    doc.SetModifiedFlag(false);

    ResPrefForm form = qrl::respref::loadForm(doc, serial);
    ResPrefChange change = qrl::respref::applyForm(doc, serial, form);
    EXPECT_TRUE(change.idText.isEmpty() && change.typefaceText.isEmpty());
    EXPECT_FALSE(doc.IsModified());

    form.symbolSet = 31;
    change = qrl::respref::applyForm(doc, serial, form);
    EXPECT_EQ(doc.GetSymbolSet(serial), 31);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    form = qrl::respref::loadForm(doc, serial);
    form.id = 65535;
    form.typefaceId = 0;
    change = qrl::respref::applyForm(doc, serial, form);
    EXPECT_EQ(change.idText, QStringLiteral("65535"));
    EXPECT_EQ(change.typefaceText, QStringLiteral("0"));
    EXPECT_EQ(doc.GetItemID(serial), 65535u);
    EXPECT_TRUE(doc.IsModified());

    // A Tellurade macro gets id 0 and the box's flag; a PCL macro keeps its id and never a flag.
    const int tellurade = addMacro("OVL");
    doc.SetItemID(tellurade, 7);
    form = qrl::respref::loadForm(doc, tellurade);
    form.flag = true;
    change = qrl::respref::applyForm(doc, tellurade, form);
    EXPECT_EQ(doc.GetItemID(tellurade), 0u);
    EXPECT_EQ(doc.GetItemFlag(tellurade), 1);
    EXPECT_TRUE(change.idText.isEmpty());
}

TEST_F(ResPrefFormTest, CheckingTheFlagLeavesOneFlaggedItemPerGroup)
{
    const int formA = addForm("a");
    const int formB = addForm("b");
    const int formC = addForm("c");
    const int macro = addMacro("OVL");
    // An older project may hold two flagged forms; the macro group is apart.
    doc.SetItemFlag(formA, 1);
    doc.SetItemFlag(formB, 1);
    doc.SetItemFlag(macro, 1);
    doc.SetModifiedFlag(false);

    qrl::respref::applyFlagClick(doc, formC, true);
    EXPECT_EQ(doc.GetItemFlag(formA), 0);
    EXPECT_EQ(doc.GetItemFlag(formB), 0);
    EXPECT_EQ(doc.GetItemFlag(formC), 0); // written only on OK
    EXPECT_EQ(doc.GetItemFlag(macro), 1);
    EXPECT_TRUE(doc.IsModified());

    // Re-checking the item that holds the flag keeps its own stored flag.
    doc.SetItemFlag(formA, 1);
    doc.SetItemFlag(formB, 1);
    qrl::respref::applyFlagClick(doc, formA, true);
    EXPECT_EQ(doc.GetItemFlag(formA), 1);
    EXPECT_EQ(doc.GetItemFlag(formB), 0);

    // Unchecking clears nothing but marks the project.
    doc.SetModifiedFlag(false);
    qrl::respref::applyFlagClick(doc, formC, false);
    EXPECT_EQ(doc.GetItemFlag(formA), 1);
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
