#include "PrintResLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qrl::printres;

namespace {

std::vector<Row> rows(int count)
{
    std::vector<Row> out;
    for (int i = 0; i < count; ++i)
        out.push_back({QStringLiteral("item%1").arg(i), std::uint32_t(1000 + i), *kindOfNumber(i % 4),
                       QStringLiteral("/res/item%1.sfp").arg(i)});
    return out;
}

std::vector<Text> textsAt(const Layout& layout, int page, int x)
{
    std::vector<Text> out;
    std::copy_if(layout.texts.begin(), layout.texts.end(), std::back_inserter(out),
                 [&](const Text& t) { return t.page == page && t.x == x; });
    return out;
}

bool hasText(const Layout& layout, int page, int x, int y, const QString& text)
{
    return std::any_of(layout.texts.begin(), layout.texts.end(), [&](const Text& t) {
        return t.page == page && t.x == x && t.y == y && t.text == text;
    });
}

} // namespace

TEST(PrintResLayout, EmptyProjectPrintsTitleHeaderAndRuleOnly)
{
    const Layout layout = layOut({});
    EXPECT_EQ(layout.pageCount, 1);
    ASSERT_EQ(layout.texts.size(), 5u);
    EXPECT_TRUE(hasText(layout, 0, 1500, 140, QStringLiteral("A LIST OF RESOURCES IN A PROJECT")));
    EXPECT_TRUE(hasText(layout, 0, 200, 340, QStringLiteral("Description")));
    EXPECT_TRUE(hasText(layout, 0, 1200, 340, QStringLiteral("Size")));
    EXPECT_TRUE(hasText(layout, 0, 1700, 340, QStringLiteral("Type")));
    EXPECT_TRUE(hasText(layout, 0, 2200, 340, QStringLiteral("Filename")));
    ASSERT_EQ(layout.rules.size(), 1u);
    EXPECT_EQ(layout.rules[0].x1, 200);
    EXPECT_EQ(layout.rules[0].y1, 445);
    EXPECT_EQ(layout.rules[0].x2, 4200);
    EXPECT_EQ(layout.rules[0].y2, 445);
}

TEST(PrintResLayout, FiftySevenRowsFitOnePageTheNextStartsPageTwoUnderARepeatedHeader)
{
    const Layout one = layOut(rows(57));
    EXPECT_EQ(one.pageCount, 1);
    const auto names = textsAt(one, 0, 200);
    ASSERT_EQ(names.size(), 58u); // header and 57 rows
    EXPECT_EQ(names[1].y, 540);
    EXPECT_EQ(names.back().y, 6140);

    const Layout two = layOut(rows(58));
    EXPECT_EQ(two.pageCount, 2);
    EXPECT_TRUE(hasText(two, 1, 200, 540, QStringLiteral("item57")));
    EXPECT_TRUE(hasText(two, 1, 200, 340, QStringLiteral("Description")));
    EXPECT_TRUE(hasText(two, 1, 2200, 340, QStringLiteral("Filename")));
    EXPECT_TRUE(textsAt(two, 1, 1500).empty()) << "the title stands on the first page only";
    const auto onPageTwo = [](const Rule& r) { return r.page == 1; };
    EXPECT_EQ(std::count_if(two.rules.begin(), two.rules.end(), onPageTwo), 1);

    const Layout three = layOut(rows(57 * 2 + 1));
    EXPECT_EQ(three.pageCount, 3);
    EXPECT_TRUE(hasText(three, 2, 200, 540, QStringLiteral("item114")));
}

TEST(PrintResLayout, RowCarriesNameSizeKindAndPath)
{
    const Layout layout =
        layOut({{QStringLiteral("Courier"), 4294967295u, kKindFont, QStringLiteral("/f/c.sfp")},
                {QStringLiteral("Logo"), 0, kKindMacro, QStringLiteral("/m/logo.mac")},
                {QStringLiteral("Odd"), 7, kKindNone, QStringLiteral("/x/odd.bin")}});
    EXPECT_TRUE(hasText(layout, 0, 200, 540, QStringLiteral("Courier")));
    EXPECT_TRUE(hasText(layout, 0, 1200, 540, QStringLiteral("4294967295")));
    EXPECT_TRUE(hasText(layout, 0, 1700, 540, QStringLiteral("Font")));
    EXPECT_TRUE(hasText(layout, 0, 2200, 540, QStringLiteral("/f/c.sfp")));
    EXPECT_TRUE(hasText(layout, 0, 1200, 640, QStringLiteral("0")));
    EXPECT_TRUE(hasText(layout, 0, 1700, 640, QStringLiteral("Macro")));
    EXPECT_TRUE(hasText(layout, 0, 1700, 740, QString())) << "an unmapped kind prints an empty Type";
}

TEST(PrintResLayout, EveryRowTextEndsBeforeTheNextColumn)
{
    const Layout layout = layOut(rows(2));
    int rowTexts = 0;
    for (const Text& t : layout.texts) {
        if (t.y < 540)
            continue;
        ++rowTexts;
        const int next = t.x == 200 ? 1200 : t.x == 1200 ? 1700 : t.x == 1700 ? 2200 : 4200 + 1;
        EXPECT_GT(t.width, 0) << t.x;
        EXPECT_LT(t.x + t.width, next) << t.x;
    }
    EXPECT_EQ(rowTexts, 8);
}

TEST(PrintResLayout, KindTexts)
{
    const struct {
        int kind;
        const char* text;
    } cases[] = {{0, "Font"}, {1, "Macro"}, {2, "Form"}, {3, "Data"}, {4, ""}, {-1, ""}, {0xFFFF, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(kindText(static_cast<ResourceKind>(c.kind)), QString::fromLatin1(c.text)) << c.kind;
}

TEST(PrintResLayout, TheListStartsOnAQueueWithADriverOrOnAPdfFile)
{
    // The scheduler reports a queue without a driver as "Local Raw Printer"; such a queue would
    // hand the list's PDF to a page printer unchanged.
    EXPECT_FALSE(hasDriver(QStringLiteral("Local Raw Printer")));
    EXPECT_FALSE(hasDriver(QStringLiteral(" raw ")));
    EXPECT_FALSE(hasDriver(QString()));
    EXPECT_TRUE(hasDriver(QStringLiteral("Zentrix FS-1 Series PPD")));

    const Queue raw{QStringLiteral("raw"), QStringLiteral("Local Raw Printer")};
    const Queue laser{QStringLiteral("laser"), QStringLiteral("Generic PCL Laser")};
    const Queue office{QStringLiteral("office"), QStringLiteral("Generic PostScript")};
    struct Case {
        const char* what;
        std::vector<Queue> queues;
        const char* current;
        const char* defaultQueue;
        const char* start;
    };
    const Case cases[] = {
        {"the printer of the setup", {raw, laser, office}, "office", "laser", "office"},
        {"no printer chosen: the default", {raw, laser, office}, "", "office", "office"},
        {"a raw printer chosen: the default", {raw, laser, office}, "raw", "office", "office"},
        {"no default: the first with a driver", {raw, laser, office}, "", "", "laser"},
        {"a raw default: the first with a driver", {raw, laser}, "", "raw", "laser"},
        {"raw queues only: a file", {raw}, "", "raw", ""},
        {"no queue: a file", {}, "", "", ""},
        {"a name no queue has", {laser}, "gone", "", "laser"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(
            startingQueue(c.queues, QString::fromLatin1(c.current), QString::fromLatin1(c.defaultQueue)),
            QString::fromLatin1(c.start));
    }

    EXPECT_EQ(pdfFileName(QStringLiteral("/srv/projects/fonts.v2.prj"), QStringLiteral("/home/u")),
              QStringLiteral("/srv/projects/fonts.v2.pdf"));
    EXPECT_EQ(pdfFileName(QString(), QStringLiteral("/home/u")), QStringLiteral("/home/u/Resources.pdf"));
}
