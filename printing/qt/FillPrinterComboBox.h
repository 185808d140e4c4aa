#pragma once

class CZenPrinter;
class QComboBox;

// Adds the spooler's printers after the entries already in `combo` (such as "FILE:") and
// selects the default printer. When no printer is the default, the selection stays as it was,
// so a "FILE:" entry chosen before stays chosen. False, adding nothing, when the spooler cannot
// be asked, after one message that says so with the spooler's reason (which names the server).
bool FillPrinterComboBox(CZenPrinter& printer, QComboBox* combo);
