#include "FillPrinterComboBox.h"
#include "CZenPrinter.h"

#include "CapturedBoxes.h"
#include "RecordingSpooler.h"
#include "StringTable.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox& combo)
{
    QStringList list;
    for (int i = 0; i < combo.count(); ++i)
        list.append(combo.itemText(i));
    return list;
}

} // namespace

TEST(FillPrinterComboBox, PrintersFollowFileAndTheDefaultIsSelectedWhenThereIsOne)
{
    struct Case {
        const char* defaultPrinter;
        bool unavailable;
        bool result;
        QStringList expected;
        QString selected;
    };
    const QStringList all{QStringLiteral("FILE:"), QStringLiteral("FS-1"), QStringLiteral("FS-2")};
    const Case cases[] = {
        {"FS-2", false, true, all, QStringLiteral("FS-2")},
        {"", false, true, all, QStringLiteral("FILE:")},     // no default: "FILE:" stays chosen
        {"gone", false, true, all, QStringLiteral("FILE:")}, // a default that is not listed
        {"FS-1", true, false, {QStringLiteral("FILE:")}, QStringLiteral("FILE:")},
    };
    for (const Case& c : cases) {
        qrl::RecordingSpooler spooler;
        spooler.addPrinter("FS-1");
        spooler.addPrinter("FS-2");
        spooler.setDefaultPrinter(c.defaultPrinter);
        spooler.setUnavailable(c.unavailable);
        CZenPrinter printer(&spooler);
        QComboBox combo;
        combo.addItem(QStringLiteral("FILE:"));
        combo.setCurrentIndex(0);

        qrl::test::CapturedBoxes ui;
        if (c.unavailable)
            ui.captureAs(QStringLiteral("printer-list-unreachable.png"));
        EXPECT_EQ(FillPrinterComboBox(printer, &combo), c.result) << c.defaultPrinter;
        // A list that cannot be had says so once, with the spooler's reason beneath.
        ASSERT_EQ(ui.boxes.size(), c.unavailable ? 1 : 0);
        if (c.unavailable) {
            EXPECT_EQ(ui.boxes[0].text, qrl::text(9300));
            EXPECT_EQ(ui.boxes[0].detail, QStringLiteral("the test spooler is unavailable"));
        }
        EXPECT_EQ(items(combo), c.expected) << c.defaultPrinter;
        EXPECT_EQ(combo.currentText(), c.selected) << c.defaultPrinter;
    }
}

TEST(CZenPrinterBox, APrinterThatCannotBeOpenedGivesTheSpoolersReasonBeneath)
{
    qrl::RecordingSpooler spooler;
    CZenPrinter printer(&spooler);
    qrl::test::CapturedBoxes ui;
    ui.captureAs(QStringLiteral("cannot-open-printer.png"));
    EXPECT_FALSE(printer.OpenPrinterByName(QStringLiteral("Gone")));
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, QStringLiteral("Can not open Printer"));
    EXPECT_EQ(ui.boxes[0].detail, QStringLiteral("no printer Gone"));
}
