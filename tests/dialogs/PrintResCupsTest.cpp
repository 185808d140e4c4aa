// The print dialog of the resource list over a private print scheduler: the queues it starts on,
// the PDF file it offers and the question before a queue without a driver.
#include "CPrintRes.h"

#include "CQuorlyn32Doc.h"
#include "PrivateCups.h"
#include "Screenshot.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A PostScript page printer's description: enough for the scheduler to take it as the queue's driver.
const char* const kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "LASER.PPD"
*Manufacturer: "Zentrix"
*Product: "(Laser)"
*ModelName: "Zentrix Laser"
*ShortNickName: "Zentrix Laser"
*NickName: "Zentrix Laser"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)ppd";

class PrintResCups : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!cups.start())
            GTEST_SKIP() << "no private cupsd: " << cups.reason();
        // The desktop's printer list asks the scheduler named here.
        setenv("CUPS_SERVER", cups.server().c_str(), 1);
        doc.SetDocumentDirectory(QString::fromStdString(dir.path()));
    }

    QComboBox* printers(CPrintRes& dialog)
    {
        return dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    }
    static void print(CPrintRes& dialog)
    {
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    qrl::test::PrivateCups cups;
    qrl::test::TempDirectory dir;
    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    CQuorlyn32Doc doc;
};

} // namespace

// One scheduler for both steps: the printing library keeps the first server it was given.
TEST_F(PrintResCups, ARawQueueIsNeverPreselectedAndIsTakenOnlyAfterAsking)
{
    // Raw queues only: the dialog starts on a PDF file beside the project, which the list goes to.
    ASSERT_TRUE(cups.queue("raw")) << cups.reason();
    {
        CPrintRes dialog(doc);
        dialog.show();
        QComboBox* list = printers(dialog);
        ASSERT_NE(list, nullptr);
        EXPECT_NE(list->findText(QStringLiteral("raw")), -1);
        EXPECT_EQ(list->currentIndex(), list->count() - 1) << list->currentText().toStdString();
        qrl::test::saveScreenshot(&dialog, QStringLiteral("print-list-pdf-file.png"));
        print(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(ui.shown().isEmpty());
        ASSERT_TRUE(dialog.PrintList());
        const std::string pdf = qrl::test::readFile(dir.file("Resources.pdf"));
        EXPECT_EQ(pdf.rfind("%PDF-1.4", 0), 0u);
        EXPECT_TRUE(cups.captured("raw").empty());
    }

    // A queue with a driver is there: the dialog starts on it; choosing the raw one asks first.
    ASSERT_TRUE(cups.queueWithDriver("laser", kPpd)) << cups.reason();
    CPrintRes dialog(doc);
    dialog.show();
    QComboBox* list = printers(dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), QStringLiteral("laser"));
    list->setCurrentIndex(list->findText(QStringLiteral("raw")));
    ui.answer(qrl::Answer::No);
    print(dialog);
    EXPECT_TRUE(dialog.isVisible());
    const QString question = qrl::formatText(qrl::text(9332), {QStringLiteral("raw")});
    ASSERT_EQ(ui.texts(), QStringList{question});
    EXPECT_EQ(ui.shown()[0].buttons, qrl::Buttons::YesNo);
    QMessageBox box(QMessageBox::Question, qrl::defaultCaption(), question,
                    QMessageBox::Yes | QMessageBox::No);
    qrl::test::saveScreenshot(&box, QStringLiteral("print-list-no-driver-question.png"));

    ui.answer(qrl::Answer::Yes);
    print(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.printer()->printerName(), QStringLiteral("raw"));
}
