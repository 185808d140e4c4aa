#pragma once

#include "PrintResLayout.h"

#include <QPrintDialog>

#include <memory>
#include <vector>

class CQuorlyn32Doc;
class QPainter;
class QPrinter;
class QWidget;

// The print dialog of the printed resource list: the standard print dialog over its own printer,
// which also offers a PDF file; once confirmed, PrintList prints the project's resources on that
// printer or into that file. A queue without a driver would pass the PDF the printing system makes
// of the list unchanged to a page printer: the dialog never starts on one, and asks before it
// takes one the user chose.
class CPrintRes : public QPrintDialog {
    Q_OBJECT
public:
    CPrintRes(CQuorlyn32Doc& doc, QWidget* parent = nullptr);
    ~CPrintRes() override;

    // Prints the list on the dialog's printer, or into its PDF file through the one file writer;
    // false when the printer could not start the job or the file could not be written (after the
    // message naming why).
    bool PrintList();

    // A queue without a driver is taken only after the user confirmed it.
    void accept() override;

    // Prints `layout` as a PDF document in the page layout of `printer` and writes it to `path`
    // through the one file writer. False, with `failure` naming why, when it could not be written.
    static bool printPdfFile(const QPrinter& printer, const qrl::printres::Layout& layout,
                             const QString& path, QString* failure);

    // Prints `layout` on `printer` under the list's document name, scaled from the layout's units
    // to the printer's resolution. False when the printer could not start or take a page.
    static bool printLayout(QPrinter& printer, const qrl::printres::Layout& layout);
    // Draws one page of `layout` on a device of `dotsPerInch`; the painter is left as it was.
    static void paintPage(QPainter& painter, const qrl::printres::Layout& layout, int page, int dotsPerInch);

    // The child frame's print command: runs the dialog for `doc` and prints when confirmed.
    // Returns true when a list was printed.
    static bool run(QWidget* parent, CQuorlyn32Doc& doc);

    // The print queues as the printing system lists them.
    static std::vector<qrl::printres::Queue> queues();

private:
    // The printer the dialog starts on, and the PDF file it offers when it starts on a file.
    struct Start {
        std::unique_ptr<QPrinter> printer;
        QString pdfFile;
    };
    CPrintRes(CQuorlyn32Doc& doc, Start start, QWidget* parent);
    // Points `printer` at the queue the dialog starts on, or at a PDF file beside the project.
    static Start startOnQueueWithDriver(std::unique_ptr<QPrinter> printer, const CQuorlyn32Doc& doc);
    // Selects the PDF file in the standard dialog, under the name `path`.
    void offerPdfFile(const QString& path);

    CQuorlyn32Doc& m_doc;
    std::unique_ptr<QPrinter> m_printer;
};
