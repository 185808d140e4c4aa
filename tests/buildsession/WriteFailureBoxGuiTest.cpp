// The boxes a person sees when a file cannot be written: the program's own Qt message box, grabbed
// into the screenshots and closed with its OK button.
#include "BuildMonitor.h"
#include "BuildSession.h"
#include "ExportFile.h"

#include "BuildTestProject.h"
#include "CQuorlyn32Doc.h"
#include "CapturedBoxes.h"
#include "FileSave.h"
#include "RecordingSpooler.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "WriteFaults.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace qrl::build;
using qrl::test::readFile;
using qrl::test::writeFile;

namespace {

// Real boxes; the save dialog answers with a file chosen beforehand.
class BoxesWithChosenFile : public qrl::test::CapturedBoxes {
public:
    std::optional<QString> saveFileName(const qrl::FileDialogRequest&) override { return chosen; }

    QString chosen;
};

class WriteFailureBoxTest : public ::testing::Test {
protected:
    void TearDown() override { qrl::clearInjectedWriteFault(); }

    // The next box that comes up is saved as `screenshot`; its text is shownText() then.
    void captureNextBox(const QString& screenshot) { ui.captureAs(screenshot); }
    QString shownText() const { return ui.boxes.isEmpty() ? QString() : ui.boxes.last().text; }

    BuildResult exportTo(const QString& path, BuildTarget target, StorageMedium medium,
                         std::uint16_t sizeIndex)
    {
        BuildProject project = fixture.cardProject();
        project.settings.m_medium = medium;
        project.settings.m_storageSizeIndex = sizeIndex;
        BuildOptions options;
        options.target = target;
        options.cardType = QStringLiteral("JEIDA");
        ui.chosen = path;
        BuildSession session(&spooler);
        return session.run(project, options, monitor);
    }

    qrl::test::TempDirectory dir;
    qrl::test::BuildFixture fixture{dir.path()};
    qrl::test::ScopedProfile profile;
    qrl::RecordingSpooler spooler;
    BuildMonitor monitor;
    BoxesWithChosenFile ui;
};

} // namespace

TEST_F(WriteFailureBoxTest, AProjectSavedOntoAFullDiskSaysSoAndKeepsTheEarlierFile)
{
    const QString path = QString::fromStdString(dir.file("demo.prj"));
    writeFile(path.toStdString(), "last week's project");
    CQuorlyn32Doc doc;
    captureNextBox(QStringLiteral("write-failure-project-disk-full.png"));
    qrl::injectWriteFault(0, ENOSPC);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(shownText(), qrl::writeFailureText(qrl::WriteError::DiskFull, path));
    EXPECT_EQ(readFile(path.toStdString()), "last week's project");
}

TEST_F(WriteFailureBoxTest, AnExportOntoAFullDiskSaysSoAndKeepsTheEarlierFile)
{
    const QString path = QString::fromStdString(dir.file("rom.hex"));
    writeFile(path.toStdString(), "last week's image");
    captureNextBox(QStringLiteral("write-failure-export-disk-full.png"));
    // Half-way through the image, so that the failure is one of the writes, not of the open.
    qrl::injectWriteFault(1000, ENOSPC);
    EXPECT_FALSE(exportTo(path, BuildTarget::Eprom, kEprom, 13).delivered);
    EXPECT_EQ(shownText(), qrl::writeFailureText(qrl::WriteError::DiskFull, path));
    EXPECT_EQ(readFile(path.toStdString()), "last week's image");
}

TEST_F(WriteFailureBoxTest, ACardImageThatDoesNotFitNamesTheCapacity)
{
    captureNextBox(QStringLiteral("write-failure-card-capacity.png"));
    // A 48 MB card has no size code.
    EXPECT_FALSE(
        exportTo(QString::fromStdString(dir.file("card.bxf")), BuildTarget::CardImage, kJeidaCard, 18)
            .delivered);
    EXPECT_EQ(shownText(), cardCapacityText({}));
}
