// A whole build through a private CUPS scheduler: what the printer receives is the command file
// of the same project, and the build leaves nothing behind.
#include "BuildMonitor.h"
#include "BuildSession.h"

#include "BuildTestProject.h"

#include "CupsSpooler.h"
#include "PrivateCups.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <gtest/gtest.h>

using namespace qrl::build;

namespace {

class DeliveryCupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!cups.start())
            GTEST_SKIP() << "no private cupsd: " << cups.reason();
        ASSERT_TRUE(cups.queue("fs")) << cups.reason();
        options.target = BuildTarget::Card;
        options.cardType = QStringLiteral("Compact");
        options.printerName = QStringLiteral("fs");
        options.format = true;
        options.ignoreProtection = true;
        options.protectAfter = true;
    }

    qrl::test::PrivateCups cups;
    qrl::test::TempDirectory files;
    qrl::test::BuildFixture fixture{files.path()};
    qrl::test::ScriptedUserInterface ui;
    BuildMonitor monitor;
    BuildOptions options;
    qrl::test::BuildLeftovers leftovers;
};

} // namespace

TEST_F(DeliveryCupsTest, ThePrinterReceivesTheCommandFileOfTheSameProject)
{
    qrl::CupsSpooler spooler(cups.server());
    const BuildProject project = fixture.cardProject();
    BuildSession toPrinter(&spooler);
    ASSERT_TRUE(toPrinter.run(project, options, monitor).delivered)
        << ui.texts().join(QLatin1Char('|')).toStdString();
    leftovers.expectNone();
    ASSERT_TRUE(cups.waitIdle("fs")) << cups.errorLog();

    const std::string prn = files.file("same.prn");
    options.outputPath = QString::fromStdString(prn);
    options.printerName = qrl::text(3000);
    BuildSession toFile(&spooler);
    ASSERT_TRUE(toFile.run(project, options, monitor).delivered);
    leftovers.expectNone();

    const std::string received = cups.captured("fs");
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.size(), qrl::test::readFile(prn).size());
    EXPECT_TRUE(received == qrl::test::readFile(prn));
    EXPECT_EQ(ui.texts(),
              (QStringList{qrl::text(3031), QStringLiteral("Project was written to the print spooler."),
                           qrl::text(3031), QStringLiteral("Project was written to the file.")}));
}

TEST_F(DeliveryCupsTest, AStoppedQueueGetsNothing)
{
    ASSERT_TRUE(cups.disable("fs")) << cups.reason();
    qrl::CupsSpooler spooler(cups.server());
    BuildSession session(&spooler);
    const BuildResult result = session.run(fixture.cardProject(), options, monitor);
    EXPECT_FALSE(result.delivered);
    EXPECT_EQ(ui.texts(), (QStringList{qrl::text(3031), qrl::text(2310)}));
    leftovers.expectNone();
    EXPECT_TRUE(cups.waitIdle("fs", 2000));
    EXPECT_EQ(cups.captured("fs"), "");
}
