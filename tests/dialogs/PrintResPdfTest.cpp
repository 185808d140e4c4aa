#include "CPrintRes.h"
#include "Screenshot.h"
#include "TempCwd.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace qrl::printres;

namespace {

std::vector<Row> rows(int count)
{
    std::vector<Row> out;
    for (int i = 0; i < count; ++i)
        out.push_back({QStringLiteral("item%1").arg(i), 10, kKindFont, QStringLiteral("/res/item%1").arg(i)});
    return out;
}

// The ink of a rendered page inside a rectangle of image pixels.
bool hasInk(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int pageObjects(const std::string& pdf)
{
    const QString text = QString::fromLatin1(pdf.data(), qsizetype(pdf.size()));
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

TEST(PrintResPdf, PrintsOnePageObjectPerLaidOutPage)
{
    qrl::test::TempDirectory dir;
    for (const int count : {0, 57, 58}) {
        const std::string path = dir.path() + "/list" + std::to_string(count) + ".pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        const Layout layout = layOut(rows(count));
        ASSERT_TRUE(CPrintRes::printLayout(printer, layout)) << count;
        EXPECT_EQ(printer.docName(), QStringLiteral("List Resources in the Project"));
        const std::string pdf = qrl::test::readFile(path);
        ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
        EXPECT_EQ(pageObjects(pdf), layout.pageCount) << count;
    }
}

TEST(PrintResPdf, PrinterThatCannotStartFails)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-dir/list.pdf"));
    EXPECT_FALSE(CPrintRes::printLayout(printer, layOut(rows(3))));
}

TEST(PrintResPdf, AFullPageFillsAnA4SheetAndLongTextsStayInTheirColumns)
{
    // A4 at 300 dpi: one layout unit is half a pixel.
    constexpr int kDpi = 300;
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    std::vector<Row> list = rows(57);
    list[0].name = QString(200, QLatin1Char('W'));
    list[0].fileSize = 4294967295u;
    list[1].path =
        QStringLiteral("/srv/resources/") + QString(300, QLatin1Char('d')) + QStringLiteral("/end.sfp");
    {
        QPainter painter(&page);
        CPrintRes::paintPage(painter, layOut(list), 0, kDpi);
    }
    qrl::test::saveScreenshot(page, QStringLiteral("printed_list_a4_300dpi.png"));

    const QRect ink = inkBounds(page);
    EXPECT_NEAR(ink.left(), 100, 3);
    EXPECT_NEAR(ink.right(), 2100, 3) << "the rule and the paths end at x 4200";
    EXPECT_NEAR(ink.top(), 70, 10) << "the title stands at y 140";
    EXPECT_GT(ink.bottom(), 3070) << "the last row stands at y 6140";
    EXPECT_LT(ink.bottom(), 3120);
    // Long texts end before the gap in front of the next column; the next column is still printed.
    const auto rowBand = [](int y, int x1, int x2) { return QRect(x1 / 2, y / 2, (x2 - x1) / 2, 45); };
    EXPECT_FALSE(hasInk(page, rowBand(540, 1165, 1198))) << "the name runs into the Size column";
    EXPECT_TRUE(hasInk(page, rowBand(540, 1200, 1400)));
    EXPECT_TRUE(hasInk(page, rowBand(540, 1700, 1900)));
    EXPECT_FALSE(hasInk(page, rowBand(640, 4206, 4960))) << "the path runs past the rule";
}
