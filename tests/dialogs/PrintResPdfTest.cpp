#include "CPrintRes.h"
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
        out.push_back({QStringLiteral("item%1").arg(i), 10, 0, QStringLiteral("/res/item%1").arg(i)});
    return out;
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
