#pragma once

class CZenPrinter;
class QComboBox;

// Adds the spooler's printers after the entries already in `combo` (such as "FILE:") and
// selects the default printer. When no printer is the default, the selection stays as it was,
// so a "FILE:" entry chosen before stays chosen. False, adding nothing, when the spooler cannot
// be asked.
bool FillPrinterComboBox(CZenPrinter& printer, QComboBox* combo);
