#include "CPrintRes.h"

#include "CQuorlyn32Doc.h"
#include "DialogsTextIds.h"
#include "FileSave.h"
#include "PrintSetup.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "UserInterface.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// In the layout's units: 8 points, so that a row keeps inside its step of 100 units and the largest
// file size (ten digits) fits its column whole.
constexpr int kTextPixelSize = 67;
constexpr int kTextBoxWidth = 100000;

// Draws every page of `layout` with `painter`, which paints on `device`; false when a page could not
// be started.
bool paintPages(QPainter& painter, QPagedPaintDevice& device, const qrl::printres::Layout& layout,
                int dotsPerInch)
{
    bool ok = true;
    for (int page = 0; page < layout.pageCount && ok; ++page) {
        if (page > 0)
            ok = device.newPage();
        if (ok)
            CPrintRes::paintPage(painter, layout, page, dotsPerInch);
    }
    return ok;
}

} // namespace

CPrintRes::CPrintRes(CQuorlyn32Doc& doc, QWidget* parent)
    : CPrintRes(doc, startOnQueueWithDriver(PrintSetup::newPrinter(), doc), parent)
{
}

CPrintRes::CPrintRes(CQuorlyn32Doc& doc, Start start, QWidget* parent)
    : QPrintDialog(start.printer.get(), parent), m_doc(doc), m_printer(std::move(start.printer))
{
    setOptions(QAbstractPrintDialog::PrintToFile);
    if (!start.pdfFile.isEmpty())
        offerPdfFile(start.pdfFile);
}

CPrintRes::~CPrintRes() = default;

std::vector<qrl::printres::Queue> CPrintRes::queues()
{
    std::vector<qrl::printres::Queue> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        list.push_back({info.printerName(), info.makeAndModel()});
    return list;
}

CPrintRes::Start CPrintRes::startOnQueueWithDriver(std::unique_ptr<QPrinter> printer,
                                                   const CQuorlyn32Doc& doc)
{
    printer->setDocName(QString::fromLatin1(qrl::printres::kDocumentName));
    if (printer->outputFormat() != QPrinter::NativeFormat) {
        QString file = printer->outputFileName();
        return {std::move(printer), file};
    }
    const QString start =
        qrl::printres::startingQueue(queues(), printer->printerName(), QPrinterInfo::defaultPrinterName());
    if (start == printer->printerName())
        return {std::move(printer), QString()};
    // Choosing a printer resets the page to that printer's: the page of the setup stays.
    const QPageLayout page = printer->pageLayout();
    QString pdfFile;
    if (start.isEmpty()) {
        const QString folder =
            doc.GetDocumentDirectory().isEmpty() ? QDir::homePath() : doc.GetDocumentDirectory();
        pdfFile = qrl::printres::pdfFileName(doc.GetPathName(), folder);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
    } else {
        printer->setPrinterName(start);
    }
    printer->setPageLayout(page);
    return {std::move(printer), pdfFile};
}

void CPrintRes::offerPdfFile(const QString& path)
{
    // The standard dialog chooses its printer from its own list, which ends with the PDF file,
    // and takes the file's name from its own field when it is confirmed.
    if (auto* printers = findChild<QComboBox*>(QStringLiteral("printers")); printers && printers->count() > 0)
        printers->setCurrentIndex(printers->count() - 1);
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("filename")))
        name->setText(path);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(path);
}

void CPrintRes::accept()
{
    // The standard dialog's list of printers; its last entry, the PDF file, is no queue.
    const auto* printers = findChild<QComboBox*>(QStringLiteral("printers"));
    const QString chosen = printers ? printers->currentText() : QString();
    for (const qrl::printres::Queue& queue : queues()) {
        if (queue.name != chosen || qrl::printres::hasDriver(queue.makeAndModel))
            continue;
        const QString question = qrl::formatText(qrl::text(qrl::ids::kNoDriverQueueQuestion), {chosen});
        if (qrl::ui().message(question, qrl::Buttons::YesNo, qrl::Icon::Question) != qrl::Answer::Yes)
            return;
        break;
    }
    QPrintDialog::accept();
}

bool CPrintRes::PrintList()
{
    const qrl::printres::Layout layout = qrl::printres::layOut(qrl::printres::rowsOf(m_doc));
    if (m_printer->outputFormat() != QPrinter::PdfFormat)
        return printLayout(*m_printer, layout);
    QString failure;
    if (printPdfFile(*m_printer, layout, m_printer->outputFileName(), &failure))
        return true;
    qrl::ui().message(failure, qrl::Buttons::Ok, qrl::Icon::Warning);
    return false;
}

bool CPrintRes::printPdfFile(const QPrinter& printer, const qrl::printres::Layout& layout,
                             const QString& path, QString* failure)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QString::fromLatin1(qrl::printres::kDocumentName));
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        QPainter painter;
        if (!painter.begin(&writer) || !paintPages(painter, writer, layout, writer.resolution()) ||
            !painter.end()) {
            if (failure)
                *failure = qrl::writeFailureText(qrl::WriteError::Other, path);
            return false;
        }
    }
    return qrl::saveWholeFile(path, pdf.data(), failure);
}

bool CPrintRes::printLayout(QPrinter& printer, const qrl::printres::Layout& layout)
{
    printer.setDocName(QString::fromLatin1(qrl::printres::kDocumentName));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool ok = paintPages(painter, printer, layout, printer.resolution());
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
