#pragma once

#include <memory>

class QPrinter;
class QWidget;

// The printer setup of the run, as the File menu's "Print Setup..." leaves it: the printer, the
// page layout, the colour mode and the duplex choice. The printed resource list starts from it.
// It lives for the run only; nothing of it is stored in the profile.
class PrintSetup {
public:
    // A high-resolution printer carrying the remembered setup (the system's default printer and
    // page until the setup was confirmed once).
    static std::unique_ptr<QPrinter> newPrinter();

    // Runs the page setup dialog modally over `parent` on a printer with the remembered setup;
    // OK remembers what the user chose. True for OK.
    static bool run(QWidget* parent);

    // Takes the setup of `printer` as the remembered one.
    static void remember(const QPrinter& printer);
    // Goes back to the system's default printer and page.
    static void forget();
};
