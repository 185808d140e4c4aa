#pragma once

#include "PrintResLayout.h"

#include <QPrintDialog>

#include <memory>

class CQuorlyn32Doc;
class QPainter;
class QPrinter;
class QWidget;

// The print dialog of the printed resource list: the standard print dialog over its own printer;
// once confirmed, PrintList prints the project's resources on that printer.
class CPrintRes : public QPrintDialog {
    Q_OBJECT
public:
    CPrintRes(CQuorlyn32Doc& doc, QWidget* parent = nullptr);
    ~CPrintRes() override;

    // Prints the list on the dialog's printer; false when the printer could not start the job.
    bool PrintList();

    // Prints `layout` on `printer` under the list's document name, scaled from the layout's units
    // to the printer's resolution. False when the printer could not start or take a page.
    static bool printLayout(QPrinter& printer, const qrl::printres::Layout& layout);
    // Draws one page of `layout` on a device of `dotsPerInch`; the painter is left as it was.
    static void paintPage(QPainter& painter, const qrl::printres::Layout& layout, int page, int dotsPerInch);

    // The child frame's print command: runs the dialog for `doc` and prints when confirmed.
    // Returns true when a list was printed.
    static bool run(QWidget* parent, CQuorlyn32Doc& doc);

private:
    CPrintRes(CQuorlyn32Doc& doc, std::unique_ptr<QPrinter> printer, QWidget* parent);

    CQuorlyn32Doc& m_doc;
    std::unique_ptr<QPrinter> m_printer;
};
