// What the project window shows and how it chooses its tab, without a window.
#include "ViewRows.h"

#include "CProjItem.h"
#include "ResourceTypes.h"
#include "StringTable.h"
#include "ViewTestSupport.h"

using qrl::test::viewtest::ViewTest;

TEST_F(ViewTest, RowsShowEachKindOfItem)
{
    struct Case {
        const char* file;
        std::string bytes;
        ResourceKind kind;
        int image;
        const char* name;
        const char* id;
        const char* typeface;
    };
    const Case cases[] = {
        {"arial.ttf", trueTypeFont("Arial Test"), kKindFont, 0, "Arial Test", "1000", "10000"},
        {"logo.pcl", pclMacro(), kKindMacro, 1, "123", "123", ""},
        {"logo.tlr", telluradeMacro("LOGO"), kKindMacro, 1, "LOGO", "n/a", ""},
        {"invoice.prn", "form bytes", kKindForm, 2, "invoice", "n/a", ""},
        {"setup.prg", "data", kKindData, 3, "setup", "n/a", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const int serial = addFile(c.file, c.bytes);
        ASSERT_GE(serial, 0);
        const qrl::viewrows::Row row = qrl::viewrows::rowOf(*doc.GetItem(serial));
        EXPECT_EQ(row.serial, serial);
        EXPECT_EQ(row.image, c.image);
        EXPECT_EQ(row.texts[qrl::viewrows::kNameColumn], QString::fromLatin1(c.name));
        EXPECT_EQ(row.texts[qrl::viewrows::kPathColumn], pathOf(c.file));
        EXPECT_EQ(row.texts[qrl::viewrows::kSizeColumn],
                  QString::number(c.bytes.size()) + QStringLiteral(" bytes"));
        EXPECT_EQ(row.texts[qrl::viewrows::kIdColumn], QString::fromLatin1(c.id));
        EXPECT_EQ(row.texts[qrl::viewrows::kTypefaceColumn], QString::fromLatin1(c.typeface));
        EXPECT_EQ(doc.GetItemKind(serial), c.kind);
    }

    // A missing file keeps its kind's tab and its texts, with the missing-file image.
    CProjItem* form = doc.GetItem(doc.GetItemAt(3)->serial());
    form->setMissing(true);
    EXPECT_EQ(qrl::viewrows::rowOf(*form).image, qrl::viewrows::kMissingImage);
    EXPECT_EQ(qrl::viewrows::rowsOfKind(doc, kKindForm).size(), 1u);

    // Rows of a kind in project order, by serial.
    const int second = addFile("second.tlr", telluradeMacro("SEC"));
    const std::vector<qrl::viewrows::Row> macros = qrl::viewrows::rowsOfKind(doc, kKindMacro);
    ASSERT_EQ(macros.size(), 3u);
    EXPECT_EQ(macros[2].serial, second);
    EXPECT_EQ(macros[0].texts[qrl::viewrows::kNameColumn], QStringLiteral("123"));
}

TEST_F(ViewTest, ColumnsCarryTheirTextsWidthsAndAlignment)
{
    const char* titles[] = {"Description", "File Name", "Size", "ID", "Typeface ID"};
    const int widths[] = {150, 200, 100, 90, 90};
    for (int c = 0; c < qrl::viewrows::kColumnCount; ++c) {
        const qrl::viewrows::ColumnSpec& column = qrl::viewrows::kColumns[static_cast<std::size_t>(c)];
        EXPECT_EQ(qrl::text(column.titleId), QString::fromLatin1(titles[c]));
        EXPECT_EQ(column.width, widths[c]);
        EXPECT_EQ(column.rightAligned, c >= qrl::viewrows::kSizeColumn);
    }
    EXPECT_TRUE(qrl::viewrows::showsTypefaceColumn(kKindFont));
    EXPECT_FALSE(qrl::viewrows::showsTypefaceColumn(kKindMacro));
}

TEST_F(ViewTest, OpensOnTheFirstKindWithItemsAndTabsGoRound)
{
    EXPECT_EQ(qrl::viewrows::initialKind(doc), kKindData);
    addFile("a.prn", "form");
    EXPECT_EQ(qrl::viewrows::initialKind(doc), kKindForm);
    addFile("b.prg", "data");
    addFile("c.tlr", telluradeMacro("CCC"));
    EXPECT_EQ(qrl::viewrows::initialKind(doc), kKindMacro);

    const int forward[] = {1, 2, 3, 0};
    const int backward[] = {3, 0, 1, 2};
    for (int kind = 0; kind < qrl::viewrows::kKindCount; ++kind) {
        EXPECT_EQ(kindNumber(qrl::viewrows::nextKind(*kindOfNumber(kind), false)), forward[kind]) << kind;
        EXPECT_EQ(kindNumber(qrl::viewrows::nextKind(*kindOfNumber(kind), true)), backward[kind]) << kind;
    }
}
