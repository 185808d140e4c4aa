#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

// What the print setup dialog chooses: the printer (a spooler printer's name), its paper and the
// orientation.
struct PrintSetupChoice {
    QString printerName;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// The printer setup of the run, as the File menu's "Print Setup..." leaves it: the printer, the
// page layout, the colour mode and the duplex choice. The printed resource list starts from it.
// It lives for the run only; nothing of it is stored in the profile.
class PrintSetup {
public:
    // A high-resolution printer carrying the remembered setup (the system's default printer and
    // page until the setup was confirmed once).
    static std::unique_ptr<QPrinter> newPrinter();

    // Runs the print setup dialog modally over `parent` on the remembered setup; OK remembers the
    // printer, paper and orientation the user chose. True for OK.
    static bool run(QWidget* parent);
    // The remembered printer, paper and orientation (the system's defaults until the setup was
    // confirmed once).
    static PrintSetupChoice choice();

    // Takes the setup of `printer` as the remembered one.
    static void remember(const QPrinter& printer);
    // Goes back to the system's default printer and page.
    static void forget();
};
