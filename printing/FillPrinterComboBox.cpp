#include "FillPrinterComboBox.h"

#include "CZenPrinter.h"

#include <QComboBox>

bool FillPrinterComboBox(CZenPrinter& printer, QComboBox* combo)
{
    const std::optional<CZenPrinter::PrinterChoice> choice = printer.listPrinters();
    if (!choice)
        return false;
    const int first = combo->count();
    combo->addItems(choice->names);
    if (choice->defaultIndex >= 0)
        combo->setCurrentIndex(first + choice->defaultIndex);
    return true;
}
