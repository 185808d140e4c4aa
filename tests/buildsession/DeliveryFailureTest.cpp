// Failures on the way to the printer or the file: each gives its message, leaves no job that
// prints and no partial file, and never says the project was written.
#include "BuildMonitor.h"
#include "BuildSession.h"

#include "BuildTestProject.h"

#include "FileSave.h"
#include "MemoryFaults.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TextFormat.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace qrl::build;
using qrl::RecordingSpooler;

namespace {

const QString kWrittenToSpooler = QStringLiteral("Project was written to the print spooler.");
const QString kWrittenToFile = QStringLiteral("Project was written to the file.");

class DeliveryFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spooler.addPrinter("fs", "usb://Zentrix/FS");
        spooler.addPrinter("stopped", "usb://Zentrix/FS2", true);
        options.target = BuildTarget::Card;
        options.cardType = QStringLiteral("Compact");
        options.printerName = QStringLiteral("fs");
        options.ignoreProtection = true;
        options.protectAfter = true;
    }

    BuildResult build(const BuildProject& project)
    {
        BuildSession session(&spooler);
        return session.run(project, options, monitor);
    }

    // The file road to `path` through the output dialog.
    BuildResult buildToFile(const BuildProject& project, const std::string& path)
    {
        options.printerName = QStringLiteral("FILE:");
        ui.file(QString::fromStdString(path));
        return build(project);
    }

    void expectFailedCleanly(const BuildResult& result)
    {
        EXPECT_FALSE(result.delivered);
        EXPECT_TRUE(result.closeDialog);
        EXPECT_FALSE(ui.texts().contains(kWrittenToSpooler));
        EXPECT_FALSE(ui.texts().contains(kWrittenToFile));
        EXPECT_FALSE(monitor.isOpen());
        for (const RecordingSpooler::Job& job : spooler.jobs())
            EXPECT_EQ(job.state, RecordingSpooler::JobState::Aborted);
        leftovers.expectNone();
    }

    qrl::test::TempDirectory files;
    qrl::test::BuildFixture fixture{files.path()};
    RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    BuildMonitor monitor;
    BuildOptions options;
    qrl::test::BuildLeftovers leftovers;
};

} // namespace

TEST_F(DeliveryFailureTest, SpoolerFailuresAbortTheJob)
{
    struct Case {
        const char* what;
        std::function<void(RecordingSpooler&, BuildOptions&)> fault;
        int message;
    };
    const Case cases[] = {
        {"queue stopped",
         [](RecordingSpooler&, BuildOptions& o) { o.printerName = QStringLiteral("stopped"); }, 2310},
        {"job refused", [](RecordingSpooler& s, BuildOptions&) { s.faults().open = true; }, 2310},
        {"document refused", [](RecordingSpooler& s, BuildOptions&) { s.faults().start = true; }, 2310},
        {"a write part-way", [](RecordingSpooler& s, BuildOptions&) { s.faults().write = 4; }, 2379},
        {"the end not confirmed", [](RecordingSpooler& s, BuildOptions&) { s.faults().finish = true; }, 2379},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingSpooler::Faults& faults = spooler.faults();
        faults = {};
        options.printerName = QStringLiteral("fs");
        c.fault(spooler, options);
        ui.clear();
        expectFailedCleanly(build(fixture.cardProject()));
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(c.message)});
    }
    // The job that failed part-way was withdrawn after its first blocks had gone out.
    ASSERT_FALSE(spooler.jobs().empty());
    EXPECT_FALSE(spooler.jobs().front().bytes.empty());
}

TEST_F(DeliveryFailureTest, AFileThatCannotBeWrittenWholeIsNotLeftBehind)
{
    // The stream outgrows the file-size limit while every file of the build stays below it.
    BuildProject project = fixture.cardProject();
    std::string data("\xAE\x00\xA0\x02", 4);
    data.append(2800, '\x33');
    project.items[3] = fixture.item("big.bin", kProgramData, "big", data);
    const std::string prn = files.file("out.prn");

    struct rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit limited = previous;
    limited.rlim_cur = 3000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const BuildResult result = buildToFile(project, prn);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    expectFailedCleanly(result);
    EXPECT_EQ(ui.texts(),
              QStringList{qrl::writeFailureText(qrl::WriteError::TooLarge, QString::fromStdString(prn))});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(prn)));
}

TEST_F(DeliveryFailureTest, AFullDeviceIsAFailureAndTheDeviceStays)
{
    struct stat before {};
    if (stat("/dev/full", &before) != 0 || !S_ISCHR(before.st_mode))
        GTEST_SKIP() << "no /dev/full here";
    const BuildResult result = buildToFile(fixture.cardProject(), "/dev/full");
    expectFailedCleanly(result);
    EXPECT_EQ(ui.texts(),
              QStringList{qrl::writeFailureText(qrl::WriteError::DiskFull, QStringLiteral("/dev/full"))});
    struct stat after {};
    ASSERT_EQ(stat("/dev/full", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, before.st_rdev);
}

TEST_F(DeliveryFailureTest, AFailedBuildKeepsTheChosenFileAsItWas)
{
    struct Case {
        const char* what;
        std::function<void(BuildProject&)> change;
        QStringList texts;
    };
    const QString fontPath = QString::fromStdString(files.file("cour.sfp"));
    const Case cases[] = {
        // The item writer shows its own message; the build adds none.
        {"PCL macro body not found",
         [](BuildProject& p) { p.items[1].writeParFile = [](QString&) { return false; }; },
         {}},
        {"font conversion",
         [this](BuildProject& p) {
             p.items.insert(p.items.begin(),
                            fixture.item("cour.sfp", kPclBitmapPortraitFont, "Cour", "\x1b)s64W"));
         },
         {qrl::formatText(qrl::text(2400), {fontPath, qrl::text(2232), qrl::text(2407)})}},
    };
    const std::string earlier = "!R!RWER I,D;last week's build";
    for (const Case& c : cases) {
        for (const bool existing : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (existing ? ", over an earlier file" : ", new file"));
            ui.clear();
            BuildProject project = fixture.cardProject();
            c.change(project);
            const std::string prn = files.file("items.prn");
            QFile::remove(QString::fromStdString(prn));
            if (existing)
                qrl::test::writeFile(prn, earlier);
            const QStringList before =
                QDir(QString::fromStdString(files.path())).entryList(QDir::Files | QDir::Hidden);
            expectFailedCleanly(buildToFile(project, prn));
            EXPECT_EQ(ui.texts(), c.texts);
            EXPECT_EQ(QDir(QString::fromStdString(files.path())).entryList(QDir::Files | QDir::Hidden),
                      before);
            if (existing) {
                EXPECT_EQ(qrl::test::readFile(prn), earlier);
            }
        }
    }
    EXPECT_TRUE(spooler.jobs().empty());
}

TEST_F(DeliveryFailureTest, ASlotListFailureFreesBothLists)
{
    const long live = QrlGlobalLiveBlocks();
    // The fixture's four item blocks and four links come first; the second slot block fails.
    QrlGlobalSetFaults(10, 0);
    {
        BuildSession session(&spooler);
        expectFailedCleanly(session.run(fixture.cardProject(), options, monitor));
        QrlGlobalSetFaults(0, 0);
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(2379)});
    }
    EXPECT_EQ(QrlGlobalLiveBlocks(), live);
    EXPECT_TRUE(spooler.jobs().empty());
}

TEST_F(DeliveryFailureTest, AJobTheSpoolerFailsAfterItsEndIsAFailedBuildAndAWaitingOneIsWritten)
{
    using Fate = qrl::JobOutcome::Fate;
    struct Case {
        Fate fate;
        bool delivered;
        QString text;
        QString detail;
    };
    const Case cases[] = {
        {Fate::Taken, true, kWrittenToSpooler, {}},
        {Fate::Waiting, true, kWrittenToSpooler,
         QStringLiteral("The job is waiting in the print system: the reason of the test")},
        {Fate::Failed, false, qrl::text(2379), QStringLiteral("the reason of the test")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fate));
        ui.clear();
        spooler.faults().outcome = {c.fate, "the reason of the test"};
        const BuildResult result = build(fixture.cardProject());
        EXPECT_EQ(result.delivered, c.delivered);
        ASSERT_EQ(ui.shown().size(), 1);
        EXPECT_EQ(ui.shown()[0].text, c.text);
        EXPECT_EQ(ui.shown()[0].detail, c.detail);
        // The progress window said what it was waiting for.
        EXPECT_EQ(monitor.statusText(), QStringLiteral("Waiting for the print system"));
        EXPECT_TRUE(spooler.jobs().back().followed);
        leftovers.expectNone();
    }
}

namespace {

// Notes, at every write into a job, how many slot images are still in the build's folder.
class SlotWatchingSpooler : public RecordingSpooler {
public:
    std::vector<int> imagesAtWrite;

    std::unique_ptr<qrl::SpoolJob> openJob(const std::string& printer, const std::string& document,
                                           qrl::SpoolStatus& status) override
    {
        std::unique_ptr<qrl::SpoolJob> job = RecordingSpooler::openJob(printer, document, status);
        if (!job)
            return nullptr;
        auto watched = std::make_unique<qrl::WatchedJob>(std::move(job));
        watched->beforeWrite = [this] {
            imagesAtWrite.push_back(static_cast<int>(
                QDir::current().entryList({QStringLiteral("SLT*.SLT")}, QDir::Files).size()));
        };
        return watched;
    }
};

} // namespace

TEST_F(DeliveryFailureTest, EachSlotImageIsRemovedAsSoonAsItIsSent)
{
    SlotWatchingSpooler watching;
    watching.addPrinter("fs");
    BuildSession session(&watching);
    ASSERT_TRUE(session.run(fixture.cardProject(), options, monitor).delivered);
    const std::vector<int>& counts = watching.imagesAtWrite;
    ASSERT_FALSE(counts.empty());
    // All images are there when the first one goes out; one fewer after each, and none is left
    // for the last writes of the job, before it ends.
    const int images = counts.front();
    ASSERT_GE(images, 2);
    EXPECT_TRUE(std::is_sorted(counts.rbegin(), counts.rend()));
    for (int left = images; left >= 0; --left)
        EXPECT_NE(std::find(counts.begin(), counts.end(), left), counts.end()) << left << " images left";
    EXPECT_EQ(counts.back(), 0);
    leftovers.expectNone();
}
