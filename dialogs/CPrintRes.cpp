#include "CPrintRes.h"

#include "CQuorlyn32Doc.h"
#include "PrintSetup.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

namespace {

// The list is drawn in device units; the text height keeps a row inside its step of 100 units.
constexpr int kTextPixelSize = 80;
constexpr int kTextBoxWidth = 100000;

} // namespace

CPrintRes::CPrintRes(CQuorlyn32Doc& doc, QWidget* parent)
    : CPrintRes(doc, PrintSetup::newPrinter(), parent)
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
    QFont font = painter.font();
    font.setPixelSize(kTextPixelSize);
    painter.setFont(font);
    bool ok = true;
    for (int page = 0; page < layout.pageCount && ok; ++page) {
        if (page > 0)
            ok = printer.newPage();
        for (const auto& rule : layout.rules)
            if (rule.page == page)
                painter.drawLine(rule.x1, rule.y1, rule.x2, rule.y2);
        for (const auto& text : layout.texts)
            if (text.page == page && !text.text.isEmpty())
                painter.drawText(QRect(text.x, text.y, kTextBoxWidth, kTextPixelSize * 2),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.text);
    }
    // A job whose page could not be started is given up rather than left half printed.
    if (!ok)
        printer.abort();
    return painter.end() && ok;
}

bool CPrintRes::run(QWidget* parent, CQuorlyn32Doc& doc)
{
    CPrintRes dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return dialog.PrintList();
}
