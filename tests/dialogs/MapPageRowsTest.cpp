#include "CGlobalPrefs.h"
#include "FileMapRows.h"
#include "ResourceTypes.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace qrl::filemap;

namespace {

const QString kMap = QStringLiteral("File Mappings");

class MapPageRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        profile.setString("Settings", "version", "v");
        ASSERT_TRUE(prefs.Load());
        rows = rowsFromPrefs(prefs);
        ASSERT_EQ(rows.size(), 10u);
    }

    qrl::test::ScopedProfile profile;
    CGlobalPrefs prefs{QStringLiteral("v")};
    std::vector<Row> rows;
};

} // namespace

TEST_F(MapPageRows, TypeRuleGivesWordAndIconOfEachName)
{
    const struct {
        int subtype;
        const char* word;
        ResourceKind kind;
    } cases[] = {{kTrueTypeFont, "FONT", kKindFont},    {kZentrixBitmapFont, "FONT", kKindFont},
                 {kPclMacro, "MACRO", kKindMacro},      {kTelluradeMacro, "MACRO", kKindMacro},
                 {kApplicationForm, "FORM", kKindForm}, {kProgramData, "DATA", kKindData}};
    for (const auto& c : cases) {
        Row row;
        setRowByType(row, subtypeName(c.subtype), QStringLiteral("x"));
        EXPECT_EQ(row.typeWord, QString::fromLatin1(c.word)) << c.subtype;
        EXPECT_EQ(row.kind, c.kind) << c.subtype;
        EXPECT_EQ(listIndexOfDescription(row.description), c.subtype);
    }
    // A hand-edited description is none of the list's entries; the index stays inside the list.
    EXPECT_EQ(listIndexOfDescription(QStringLiteral("My Fonts")), 0);
    EXPECT_EQ(typeWordOfDescription(QStringLiteral("My Fonts")), QStringLiteral("DATA"));
}

TEST_F(MapPageRows, AddAndModifyRefuseATakenExtensionIgnoringCase)
{
    EXPECT_FALSE(addRow(rows, subtypeName(kPclMacro), QStringLiteral("TTF")));
    EXPECT_EQ(rows.size(), 10u);
    ASSERT_TRUE(addRow(rows, subtypeName(kPclMacro), QStringLiteral("abc")));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[10].typeWord, QStringLiteral("MACRO"));
    EXPECT_TRUE(canRemove(10));
    EXPECT_FALSE(canRemove(3));

    // The row itself holds its extension: an unchanged extension is refused too.
    EXPECT_FALSE(modifyRow(rows, 10, subtypeName(kPclMacro), QStringLiteral("ABC")));
    ASSERT_TRUE(modifyRow(rows, 10, subtypeName(kProgramData), QStringLiteral("xyz")));
    EXPECT_EQ(rows[10].extension, QStringLiteral("xyz"));
    EXPECT_EQ(rows[10].typeWord, QStringLiteral("DATA"));
    EXPECT_FALSE(modifyRow(rows, 11, subtypeName(kProgramData), QStringLiteral("qqq")));
}

TEST_F(MapPageRows, ValidationNamesTheLaterAndTheEarlierLine)
{
    rows[9].extension = QStringLiteral("TTF");
    const std::optional<Fault> fault = findFault(rows);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->row, 9);
    EXPECT_EQ(fault->message,
              QStringLiteral(
                  "INFO : Multiple extension \n\n\nThe extension 'TTF' in the line 10 is already used in "
                  "line 1 \n\nPlease change one of the extension 'TTF'"));
}

TEST_F(MapPageRows, ApplyRefusesUnstorableRowsBeforeTheMapChanges)
{
    const QString before = profile.getString(kMap, "Map #0");
    for (const char* bad : {"", "a;b", "a,b", "abcd"}) {
        std::vector<Row> changed = rows;
        changed[10 - 1].extension = QString::fromLatin1(bad);
        const std::optional<Fault> fault = findFault(changed);
        ASSERT_TRUE(fault) << bad;
        EXPECT_EQ(fault->row, 9) << bad;
        EXPECT_FALSE(applyRows(prefs, changed)) << bad;
        EXPECT_EQ(prefs.count(), 10) << bad;
        EXPECT_EQ(prefs.GetAt(9).extension, rows[9].extension) << bad;
    }
    EXPECT_EQ(profile.getString(kMap, "Map #0"), before);
}

TEST_F(MapPageRows, ApplyRewritesTheMapInRowOrder)
{
    ASSERT_TRUE(addRow(rows, subtypeName(kApplicationForm), QStringLiteral("frx")));
    rows[0].extension = QStringLiteral("tt1");
    ASSERT_TRUE(applyRows(prefs, rows));
    ASSERT_EQ(prefs.count(), 11);
    EXPECT_EQ(prefs.GetAt(10).row, 10);
    EXPECT_EQ(prefs.SubtypeByExtension("FRX"), kApplicationForm);
    EXPECT_EQ(prefs.SubtypeByExtension("ttf"), kSubtypeUnmapped);
    EXPECT_EQ(profile.getString(kMap, "Map #10"), QStringLiteral("frx;FORM;Application Generated Form"));
    EXPECT_EQ(profile.valueNames(kMap).size(), 11);
}
