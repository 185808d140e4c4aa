// What the build dialog tells a person when the print system refuses, fails or holds a job, or
// cannot be reached: the program's own boxes over a private scheduler, each grabbed into the
// screenshots and closed with its OK button.
#include "CBuildDlg.h"
#include "CProgressDlg.h"

#include "BuildDocument.h"
#include "BuildTestProject.h"

#include "CapturedBoxes.h"
#include "CupsSpooler.h"
#include "PrivateCups.h"
#include "RecordingSpooler.h"
#include "Screenshot.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qrl::build;
using qrl::test::PrivateCups;

namespace {

class FakeDocument : public BuildDocument {
public:
    BuildProject buildProject() const override { return project; }
    void takeSettings(const CProjSett&, bool) override {}
    BuildProject project;
};

// The system's spooler whose jobs grab the progress window while they are followed.
class WatchedSpooler : public qrl::CupsSpooler {
public:
    using CupsSpooler::CupsSpooler;
    QString statusWhileFollowing;

    std::unique_ptr<qrl::SpoolJob> openJob(const std::string& printer, const std::string& document,
                                           qrl::SpoolStatus& status) override
    {
        std::unique_ptr<qrl::SpoolJob> job = CupsSpooler::openJob(printer, document, status);
        if (!job)
            return nullptr;
        auto watched = std::make_unique<qrl::WatchedJob>(std::move(job));
        watched->beforeFollow = [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<CProgressDlg*>(w); progress && progress->isVisible()) {
                    statusWhileFollowing = progress->statusText();
                    qrl::test::saveScreenshot(progress, QStringLiteral("build-waiting-for-print-system.png"));
                }
            }
        };
        return watched;
    }
};

class PrintSystemBoxesTest : public ::testing::Test {
protected:
    void SetUp() override { document.project = fixture.cardProject(); }

    qrl::test::ScopedProfile profile;
    qrl::test::TempDirectory files;
    qrl::test::BuildFixture fixture{files.path()};
    FakeDocument document;
    qrl::test::CapturedBoxes ui;
    qrl::test::BuildLeftovers leftovers;
};

} // namespace

TEST_F(PrintSystemBoxesTest, AnUnreachablePrintSystemIsToldOnceAndLeavesFile)
{
    PrivateCups gone;
    ASSERT_TRUE(gone.start()) << gone.reason();
    const std::string server = gone.server();
    gone.stop();
    qrl::CupsSpooler spooler(server);

    ui.captureAs(QStringLiteral("build-print-system-unreachable.png"));
    CBuildDlg dialog(document, nullptr, &spooler);
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, qrl::text(9300));
    EXPECT_TRUE(ui.boxes[0].detail.contains(QString::fromStdString(server)))
        << ui.boxes[0].detail.toStdString();
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printerCombo"));
    ASSERT_EQ(printers->count(), 1);
    EXPECT_EQ(printers->currentText(), QStringLiteral("FILE:"));
    dialog.reject();
}

TEST_F(PrintSystemBoxesTest, EachRefusalOrFailureKeepsItsTextAndGivesTheReasonBeneath)
{
    PrivateCups cups;
    if (!cups.start())
        GTEST_SKIP() << "no private cupsd: " << cups.reason();
    ASSERT_TRUE(cups.queue("rejecting") && cups.reject("rejecting", "paper jam test")) << cups.reason();
    ASSERT_TRUE(cups.queue("stopped") && cups.disable("stopped")) << cups.reason();
    ASSERT_TRUE(cups.failingQueue("aborting", true)) << cups.reason();
    ASSERT_TRUE(cups.failingQueue("halting", false)) << cups.reason();
    ASSERT_TRUE(cups.everywhereQueue("driverless")) << cups.reason();

    struct Case {
        const char* printer;
        QString text;
        const char* reason;
    };
    const QString written = QStringLiteral("Project was written to the print spooler.");
    const Case cases[] = {
        {"rejecting", qrl::text(2310), "not accepting jobs"},
        {"stopped", qrl::text(2310), "is stopped"},
        {"aborting", qrl::text(2379), PrivateCups::kDeviceFailure},
        {"driverless", qrl::text(2379), "Unable to add document to print job."},
        {"halting", written, "waiting in the print system"},
    };
    // A short limit, in case a job does not settle; a job in a queue its device stopped is told at once.
    WatchedSpooler spooler(cups.server(), std::chrono::milliseconds(3000));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printer);
        ui.boxes.clear();
        CBuildDlg dialog(document, nullptr, &spooler);
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printerCombo"));
        printers->setCurrentIndex(printers->findText(QString::fromLatin1(c.printer)));
        ASSERT_EQ(printers->currentText(), QString::fromLatin1(c.printer));
        dialog.show();
        ui.captureAs(QStringLiteral("build-print-system-%1.png").arg(QString::fromLatin1(c.printer)));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("buildButton")), Qt::LeftButton);
        ASSERT_EQ(ui.boxes.size(), 1);
        EXPECT_EQ(ui.boxes[0].text, c.text);
        EXPECT_TRUE(ui.boxes[0].detail.contains(QString::fromLatin1(c.reason)))
            << ui.boxes[0].detail.toStdString();
        if (c.text == written) {
            EXPECT_TRUE(ui.boxes[0].detail.contains(QString::fromLatin1(PrivateCups::kDeviceFailure)));
        }
        leftovers.expectNone();
    }
    EXPECT_EQ(spooler.statusWhileFollowing, QStringLiteral("Waiting for the print system"));
}
