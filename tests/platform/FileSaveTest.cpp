// The message of a failed save names what the user must fix: the folder when the folder refuses
// a new file, the file when the file itself refuses.
#include "FileSave.h"
#include "RunAs.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"
#include "TextIds.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct MessageCase {
    const char* name;
    bool fileThere;    // the file exists (owned by the saver, mode 0644)
    const char* named; // "folder" or "file"
};

class SaveFailureNames : public testing::TestWithParam<MessageCase> {};

} // namespace

TEST_P(SaveFailureNames, WhatRefusedTheSave)
{
    if (qrl::test::rootReason())
        GTEST_SKIP() << qrl::test::rootReason();
    qrl::test::ensureCoreApplication();
    const MessageCase& c = GetParam();
    qrl::test::TempDirectory dir;
    ::chmod(dir.path().c_str(), 0755); // root's folder, which user 1001 may not write
    const QString folder = QString::fromStdString(dir.path());
    const QString path = folder + QStringLiteral("/p.prj");
    if (c.fileThere) {
        qrl::test::writeFile(path.toStdString(), "earlier");
        ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0444), 0);
    }
    const QString expected = qrl::formatText(qrl::text(qrl::ids::kWritePermission),
                                             {std::string_view(c.named) == "folder" ? folder : path});
    EXPECT_EQ(qrl::test::runAs({1001, 1001}, 0,
                               [&] {
                                   QString failure;
                                   return !qrl::saveWholeFile(path, "new", &failure) && failure == expected;
                               }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveFailureNames,
                         testing::Values(MessageCase{"NewFileInAFolderThatMayNotBeWritten", false, "folder"},
                                         MessageCase{"FileThatMayNotBeWritten", true, "file"}),
                         [](const testing::TestParamInfo<MessageCase>& param) {
                             return std::string(param.param.name);
                         });
