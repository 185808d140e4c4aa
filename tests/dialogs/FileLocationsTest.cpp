#include "FileLocations.h"
#include "AppContext.h"
#include "TempCwd.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace qrl::filelocations;

namespace {

const QString kSection = QStringLiteral("File Locations");

class FileLocations : public ::testing::Test {
protected:
    void SetUp() override { qrl::test::ensureCoreApplication(); }

    qrl::test::ScopedProfile profile;
    qrl::test::TempDirectory dir;
    const QString path = QString::fromStdString(dir.path());
};

} // namespace

TEST_F(FileLocations, ApplyHandsTheDirectoriesToTheAppAndTheProfile)
{
    qrl::AppContext app;
    Directories dirs = fromContext(app);
    EXPECT_EQ(storedTypeWidth(app), 108);
    EXPECT_EQ(storedLocationWidth(app), 250);
    dirs[3] = path;
    ASSERT_TRUE(apply(app, dirs, 120, 260));
    EXPECT_EQ(app.directories.macros, path);
    EXPECT_EQ(fromContext(app)[3], path);
    EXPECT_EQ(profile.getString(kSection, "MacrosDirectory"), path);
    // An empty text is no directory and is stored as such.
    EXPECT_TRUE(profile.contains(kSection, "BuildsDirectory"));
    EXPECT_EQ(profile.getString(kSection, "BuildsDirectory", "x"), QString());
    EXPECT_EQ(storedTypeWidth(app), 120);
    EXPECT_EQ(storedLocationWidth(app), 260);
}

TEST_F(FileLocations, AMissingFolderIsRefusedBeforeAnythingIsWritten)
{
    qrl::AppContext app;
    Directories dirs = fromContext(app);
    dirs[0] = path;
    dirs[5] = path + QStringLiteral("/missing");
    const std::optional<Fault> fault = findFault(dirs);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->row, 5);
    EXPECT_TRUE(fault->message.contains(QStringLiteral("Projects")));
    EXPECT_FALSE(apply(app, dirs, 108, 250));
    EXPECT_TRUE(app.directories.builds.isEmpty());
    EXPECT_TRUE(profile.valueNames(kSection).isEmpty());

    // A file is not a folder either.
    dirs[5] = path + QStringLiteral("/file");
    qrl::test::writeFile(dir.file("file"), "x");
    EXPECT_TRUE(findFault(dirs));
}
