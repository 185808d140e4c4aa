// The engine's debugger output reaches standard error always and the program's log from level 3.
#include "EngineDebugOutput.h"

#include "AppContext.h"
#include "TempCwd.h"
#include "qrl_debugout.h"

#include <gtest/gtest.h>

TEST(EngineDebugOutput, LinesGoToStandardErrorAndToTheLogFromTheDetailsLevel)
{
    qrl::test::TempDirectory dir;
    for (const int level : {2, 3, 9}) {
        SCOPED_TRACE(level);
        const std::string path = dir.file("run" + std::to_string(level) + ".log");
        qrl::AppContext context;
        context.setLogLevel(level);
        ASSERT_EQ(context.log().OpenNew(QString::fromStdString(path), 0), 0);
        const std::size_t before = qrl::test::readFile(path).size();

        qrl::build::connectEngineDebugOutput();
        testing::internal::CaptureStderr();
        QrlOutputDebugString("CreateSlot(): Error Code 0x1C\r\n");
        const std::string err = testing::internal::GetCapturedStderr();
        context.log().CloseLog();

        EXPECT_EQ(err, "CreateSlot(): Error Code 0x1C\n");
        const std::string logged = qrl::test::readFile(path).substr(before);
        EXPECT_EQ(logged.find("CreateSlot(): Error Code 0x1C\r\n") != std::string::npos, level >= 3)
            << logged;
    }
    QrlSetDebugOutputSink(nullptr, nullptr);
}
