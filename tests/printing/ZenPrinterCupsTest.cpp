// Files sent through a private CUPS scheduler: what arrives at the printer, and what a stopped
// queue or a stopped scheduler gives.

#include "CZenPrinter.h"

#include "CupsSpooler.h"
#include "PrivateCups.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

using qrl::test::PrivateCups;

namespace {

class ZenPrinterCupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!cups.start())
            GTEST_SKIP() << "no private cupsd: " << cups.reason();
        ASSERT_TRUE(cups.queue("fs")) << cups.reason();
        std::string bytes;
        for (int repeat = 0; repeat < 33; ++repeat) // every byte value, across several blocks
            for (int b = 0; b < 256; ++b)
                bytes.push_back(static_cast<char>(b));
        content = bytes;
        qrl::test::writeFile(file, content);
    }

    PrivateCups cups;
    qrl::test::TempDirectory dir;
    std::string file = dir.file("every-byte.prn");
    QString path = QString::fromStdString(file);
    std::string content;
    qrl::test::ScriptedUserInterface ui;
};

} // namespace

TEST_F(ZenPrinterCupsTest, EveryByteValueArrivesUnchanged)
{
    qrl::CupsSpooler spooler(cups.server());
    CZenPrinter printer(&spooler);
    ASSERT_TRUE(printer.SendFile(path, QStringLiteral("fs"))) << printer.lastError().text;
    ASSERT_TRUE(cups.waitIdle("fs")) << cups.errorLog();
    const std::string arrived = cups.captured("fs");
    ASSERT_EQ(arrived.size(), content.size());
    EXPECT_TRUE(arrived == content);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ZenPrinterCupsTest, AStoppedQueueIsAFailureAndNothingIsSent)
{
    ASSERT_TRUE(cups.disable("fs")) << cups.reason();
    qrl::CupsSpooler spooler(cups.server());
    CZenPrinter printer(&spooler);
    EXPECT_FALSE(printer.SendFile(path, QStringLiteral("fs")));
    EXPECT_EQ(printer.lastError().error, qrl::SpoolError::PrinterStopped) << printer.lastError().text;
    // No job is left waiting in the queue for the printer to be started again.
    EXPECT_TRUE(cups.waitIdle("fs", 2000));
    EXPECT_EQ(cups.captured("fs"), "");
}

TEST_F(ZenPrinterCupsTest, AStoppedSchedulerCannotOpenThePrinter)
{
    const std::string server = cups.server();
    cups.stop();
    qrl::CupsSpooler spooler(server);
    CZenPrinter printer(&spooler);
    EXPECT_FALSE(printer.SendFile(path, QStringLiteral("fs")));
    EXPECT_EQ(printer.lastError().error, qrl::SpoolError::Unavailable) << printer.lastError().text;
    EXPECT_EQ(ui.texts(), QStringList{QString::fromLatin1(CZenPrinter::kCannotOpenPrinter)});
    // Beneath it, why: the scheduler that cannot be reached.
    EXPECT_TRUE(ui.shown()[0].detail.contains(QString::fromStdString(server)))
        << ui.shown()[0].detail.toStdString();
}

TEST_F(ZenPrinterCupsTest, AJobTheDeviceFailsIsNotSentAndOneHeldInAStoppedQueueIsSentWithItsState)
{
    ASSERT_TRUE(cups.failingQueue("aborting", true) && cups.failingQueue("halting", false)) << cups.reason();
    struct Case {
        const char* printer;
        bool sent;
        const char* words;
    };
    // A short limit, in case a job does not settle; a job in a queue its device stopped is told at once.
    qrl::CupsSpooler spooler(cups.server(), std::chrono::milliseconds(3000));
    for (const Case& c : {Case{"aborting", false, "aborted"}, Case{"halting", true, "stopped"}}) {
        SCOPED_TRACE(c.printer);
        CZenPrinter printer(&spooler);
        EXPECT_EQ(printer.SendFile(path, QString::fromLatin1(c.printer)), c.sent) << printer.lastError().text;
        const QString told = c.sent ? printer.waitingNote() : printer.lastReason();
        EXPECT_TRUE(told.contains(QString::fromLatin1(c.words))) << told.toStdString();
        EXPECT_TRUE(told.contains(QString::fromLatin1(PrivateCups::kDeviceFailure))) << told.toStdString();
    }
    EXPECT_TRUE(ui.shown().isEmpty());
}
