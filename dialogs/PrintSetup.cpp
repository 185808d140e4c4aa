#include "PrintSetup.h"

#include <QPageLayout>
#include <QPageSetupDialog>
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

bool PrintSetup::run(QWidget* parent)
{
    const std::unique_ptr<QPrinter> printer = newPrinter();
    QPageSetupDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    remember(*printer);
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
