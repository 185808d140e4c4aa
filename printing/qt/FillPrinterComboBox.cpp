#include "FillPrinterComboBox.h"

#include "CZenPrinter.h"

#include "PrintingTextIds.h"
#include "StringTable.h"
#include "UserInterface.h"

#include <QComboBox>

bool FillPrinterComboBox(CZenPrinter& printer, QComboBox* combo)
{
    const std::optional<CZenPrinter::PrinterChoice> choice = printer.listPrinters();
    if (!choice) {
        qrl::ui().messageWithDetail(qrl::text(qrl::ids::kPrintSystemUnreachable), printer.lastReason(),
                                    qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    const int first = combo->count();
    combo->addItems(choice->names);
    if (choice->defaultIndex >= 0)
        combo->setCurrentIndex(first + choice->defaultIndex);
    return true;
}
