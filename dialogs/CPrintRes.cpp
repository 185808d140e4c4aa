#include "CPrintRes.h"

#include "CQuorlyn32Doc.h"
#include "PrintSetup.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPrinter>

namespace {

// In the layout's units: 8 points, so that a row keeps inside its step of 100 units and the largest
// file size (ten digits) fits its column whole.
constexpr int kTextPixelSize = 67;
constexpr int kTextBoxWidth = 100000;

} // namespace

CPrintRes::CPrintRes(CQuorlyn32Doc& doc, QWidget* parent) : CPrintRes(doc, PrintSetup::newPrinter(), parent)
{
}

CPrintRes::CPrintRes(CQuorlyn32Doc& doc, std::unique_ptr<QPrinter> printer, QWidget* parent)
    : QPrintDialog(printer.get(), parent), m_doc(doc), m_printer(std::move(printer))
{
    setOptions({});
}

CPrintRes::~CPrintRes() = default;

bool CPrintRes::PrintList()
{
    return printLayout(*m_printer, qrl::printres::layOut(qrl::printres::rowsOf(m_doc)));
}

bool CPrintRes::printLayout(QPrinter& printer, const qrl::printres::Layout& layout)
{
    printer.setDocName(QString::fromLatin1(qrl::printres::kDocumentName));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    bool ok = true;
    for (int page = 0; page < layout.pageCount && ok; ++page) {
        if (page > 0)
            ok = printer.newPage();
        if (ok)
            paintPage(painter, layout, page, printer.resolution());
    }
    // A job whose page could not be started is given up rather than left half printed.
    if (!ok)
        printer.abort();
    return painter.end() && ok;
}

void CPrintRes::paintPage(QPainter& painter, const qrl::printres::Layout& layout, int page, int dotsPerInch)
{
    painter.save();
    const qreal scale = qreal(dotsPerInch) / qrl::printres::kUnitsPerInch;
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(kTextPixelSize);
    painter.setFont(font);
    // A device's hairline all but vanishes on a 1200 dpi printer: the rule is a 300th of an inch.
    painter.setPen(QPen(Qt::black, 2.0));
    const QFontMetrics metrics = painter.fontMetrics();
    for (const auto& rule : layout.rules)
        if (rule.page == page)
            painter.drawLine(rule.x1, rule.y1, rule.x2, rule.y2);
    for (const auto& text : layout.texts) {
        if (text.page != page || text.text.isEmpty())
            continue;
        const int width = text.width > 0 ? text.width : kTextBoxWidth;
        const QString shown = text.width > 0 ? metrics.elidedText(text.text, text.elide, width) : text.text;
        painter.drawText(QRect(text.x, text.y, width, kTextPixelSize * 2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    }
    painter.restore();
}

bool CPrintRes::run(QWidget* parent, CQuorlyn32Doc& doc)
{
    CPrintRes dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return dialog.PrintList();
}
