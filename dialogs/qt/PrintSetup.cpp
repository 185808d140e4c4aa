#include "PrintSetup.h"

#include "CPrintSetupDlg.h"

#include <QPageLayout>
#include <QPrinter>

#include <optional>

namespace {

struct Setup {
    QString printerName;
    QPrinter::OutputFormat outputFormat = QPrinter::NativeFormat;
    QPageLayout pageLayout;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
};

std::optional<Setup>& remembered()
{
    static std::optional<Setup> setup;
    return setup;
}

} // namespace

std::unique_ptr<QPrinter> PrintSetup::newPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (const std::optional<Setup>& setup = remembered()) {
        // The printer first: choosing one resets the page to that printer's default.
        printer->setOutputFormat(setup->outputFormat);
        if (setup->outputFormat == QPrinter::NativeFormat)
            printer->setPrinterName(setup->printerName);
        printer->setPageLayout(setup->pageLayout);
        printer->setColorMode(setup->colorMode);
        printer->setDuplex(setup->duplex);
    }
    return printer;
}

PrintSetupChoice PrintSetup::choice()
{
    const std::unique_ptr<QPrinter> printer = newPrinter();
    PrintSetupChoice c;
    const std::optional<Setup>& setup = remembered();
    c.printerName = setup ? setup->printerName : printer->printerName();
    c.pageSize = printer->pageLayout().pageSize();
    c.orientation = printer->pageLayout().orientation();
    return c;
}

bool PrintSetup::run(QWidget* parent)
{
    CPrintSetupDlg dialog(choice(), nullptr, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PrintSetupChoice chosen = dialog.choice();
    const std::unique_ptr<QPrinter> printer = newPrinter();
    Setup setup{chosen.printerName, QPrinter::NativeFormat, printer->pageLayout(), printer->colorMode(),
                printer->duplex()};
    setup.pageLayout.setPageSize(chosen.pageSize);
    setup.pageLayout.setOrientation(chosen.orientation);
    remembered() = setup;
    return true;
}

void PrintSetup::remember(const QPrinter& printer)
{
    remembered() = Setup{printer.printerName(), printer.outputFormat(), printer.pageLayout(),
                         printer.colorMode(), printer.duplex()};
}

void PrintSetup::forget()
{
    remembered().reset();
}
