// The build session over the recording spooler: the command stream it sends for each target
// and switch, the same bytes into a command file, and the refusals before anything is sent.
#include "BuildSession.h"

#include "BuildMessages.h"
#include "BuildMonitor.h"
#include "BuildTestProject.h"

#include "MemoryFaults.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "SmallTmpfs.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TempDir.h"
#include "TextFormat.h"
#include "qrl_movable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace qrl::build;
using qrl::RecordingSpooler;

namespace {

const char kCfOff[] =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"CF Disable Write Protection\"\r\n"
    "@PJL DEFAULT KCARD1LOCK=OFF\r\n@PJL EOJ NAME=\"CF Disable Write Protection\"\r\n\x1b%-12345X";
const char kCfOn[] =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"CF Enable Write Protection\"\r\n"
    "@PJL DEFAULT KCARD1LOCK=ON\r\n@PJL EOJ NAME=\"CF Enable Write Protection\"\r\n\x1b%-12345X";
const char kDiskOff[] =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"HDMD Disable Write Protection\"\r\n"
    "@PJL DEFAULT DISKLOCK=OFF\r\n@PJL EOJ NAME=\"HDMD Disable Write Protection\"\r\n\x1b%-12345X";
const char kDiskOn[] =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"HDMD Enable Write Protection\"\r\n"
    "@PJL DEFAULT DISKLOCK=ON\r\n@PJL EOJ NAME=\"HDMD Enable Write Protection\"\r\n\x1b%-12345X";
const char kSlotEnd[] = "WRED;EXIT,E;\r\n";
const char kPowerOnForm[] = "!R!FRPO I0,'FORM1';EXIT,E;";

// The prefixes of the fixture's four slots (form, the two macros, program data), with the
// first slot's formatting one before them.
struct Prefixes {
    const char* formWithFormat;
    const char* perSlot[4];
};
const Prefixes kRwerCard = {"!R!RWER I,D;RWER F,A;RWER W,A,2,'FORM1';",
                            {"!R!RWER I,D;RWER W,A,2,'FORM1';", "!R!RWER I,D;RWER W,A,16,'ABCD';",
                             "!R!RWER I,D;RWER W,A,16,'12';", "!R!RWER I,D;RWER W,A,128,'fwupdate';"}};
const Prefixes kRwerDisk = {"!R!RWER I,D;RWER F,0;RWER W,0,2,'FORM1';",
                            {"!R!RWER I,D;RWER W,0,2,'FORM1';", "!R!RWER I,D;RWER W,0,16,'ABCD';",
                             "!R!RWER I,D;RWER W,0,16,'12';", "!R!RWER I,D;RWER W,0,128,'fwupdate';"}};
const Prefixes kIccd = {"!R!ICCD I,D;ICCD F,A;ICCD W,A,2,'FORM1';",
                        {"!R!ICCD I,D;ICCD W,A,2,'FORM1';", "!R!ICCD I,D;ICCD W,A,16,'ABCD';",
                         "!R!ICCD I,D;ICCD W,A,16,'12';", "!R!ICCD I,D;ICCD W,A,128,'fwupdate';"}};
const Prefixes kRwrfCard = {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'PRN','FORM1';",
                            {"!R!RWRF I,D;RWRF W,A,'PRN','FORM1';",
                             "!R!RWRF I,D;RWRF W,A,'MCR','TLR','ABCD','ABCD.mcr';",
                             "!R!RWRF I,D;RWRF W,A,'MCR','PCL',12,'12.mcr';",
                             "!R!RWRF I,D;RWRF W,A,'API','TLR','FWUP','api_main','FWUP_prg';"}};
const Prefixes kRwrfDisk = {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'PRN','FORM1';",
                            {"!R!RWRF I,D;RWRF W,0,'PRN','FORM1';",
                             "!R!RWRF I,D;RWRF W,0,'MCR','TLR','ABCD','ABCD.mcr';",
                             "!R!RWRF I,D;RWRF W,0,'MCR','PCL',12,'12.mcr';",
                             "!R!RWRF I,D;RWRF W,0,'API','TLR','FWUP','api_main','FWUP_prg';"}};

struct Case {
    const char* what;
    StorageMedium medium;
    BuildTarget target;
    const char* cardType;
    bool tarnwick, format, ignore, protectAfter;
    int writeProtection;
    int question; // the format question's string id, 0 for none
    const Prefixes* prefixes;
    const char* offJob;
    const char* onJob;
};

const Case kCases[] = {
    {"compact flash, both jobs", kCompactFlashCard, BuildTarget::Card, "Compact", false, true, true, true, 1,
     3031, &kRwerCard, kCfOff, kCfOn},
    {"compact flash, no switches", kCompactFlashCard, BuildTarget::Card, "Compact", false, false, false,
     false, 1, 0, &kRwerCard, nullptr, nullptr},
    {"off job only with option 1", kCompactFlashCard, BuildTarget::Card, "Compact", false, false, true, true,
     2, 0, &kRwerCard, nullptr, kCfOn},
    {"option 0: no jobs", kCompactFlashCard, BuildTarget::Card, "Compact", false, false, true, true, 0, 0,
     &kRwerCard, nullptr, nullptr},
    {"disk", kHardDisk, BuildTarget::Disk, "", false, true, true, true, 1, 2202, &kRwerDisk, kDiskOff,
     kDiskOn},
    {"JEIDA card: no jobs", kJeidaCard, BuildTarget::Card, "JEIDA", false, true, true, true, 1, 3030, &kIccd,
     nullptr, nullptr},
    {"SRAM card", kSramCard, BuildTarget::Card, "SRAM", false, true, false, false, 1, 3033, &kIccd, nullptr,
     nullptr},
    {"Tarnwick compact flash", kCompactFlashCard, BuildTarget::Card, "Compact", true, false, true, false, 1,
     0, &kRwrfCard, kCfOff, nullptr},
    {"Tarnwick disk", kMicroDrive, BuildTarget::Disk, "", true, true, false, true, 1, 2202, &kRwrfDisk,
     nullptr, kDiskOn},
};

class BuildSessionTest : public ::testing::Test {
protected:
    void SetUp() override { spooler.addPrinter("fs", "usb://Zentrix/FS"); }

    BuildOptions optionsOf(const Case& c) const
    {
        BuildOptions options;
        options.target = c.target;
        options.cardType = QString::fromLatin1(c.cardType);
        options.printerName = QStringLiteral("fs");
        options.tarnwick = c.tarnwick;
        options.format = c.format;
        options.ignoreProtection = c.ignore;
        options.protectAfter = c.protectAfter;
        options.writeProtection = c.writeProtection;
        return options;
    }

    // The stream as the printer commands say it must be, around the engine's own slot images.
    std::string expectedStream(const Case& c, const BuildProject& project) const
    {
        const std::vector<qrl::test::EngineSlot> images = qrl::test::engineSlots(project, c.medium);
        std::string out = c.offJob ? c.offJob : "";
        for (std::size_t i = 0; i < images.size(); ++i) {
            out += i == 0 && c.format ? c.prefixes->formWithFormat : c.prefixes->perSlot[i];
            const bool trimmed = c.tarnwick && images[i].kind == 16;
            out += (trimmed ? qrl::test::trimmedMacroImage(images[i].image) : images[i].image).toStdString();
            out += kSlotEnd;
        }
        out += kPowerOnForm;
        out += c.onJob ? c.onJob : "";
        return out;
    }

    BuildProject projectOn(StorageMedium medium) const
    {
        BuildProject project = fixture.cardProject();
        project.settings.m_medium = medium;
        return project;
    }

    qrl::test::TempDirectory files;
    qrl::test::BuildFixture fixture{files.path()};
    RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    BuildMonitor monitor;
    qrl::test::BuildLeftovers leftovers;
};

} // namespace

TEST_F(BuildSessionTest, TheStreamHoldsJobsPrefixesImagesAndClosingCommandsInOrder)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        const BuildProject project = projectOn(c.medium);
        const std::size_t before = spooler.jobs().size();
        BuildSession session(&spooler);
        const BuildResult result = session.run(project, optionsOf(c), monitor);
        ASSERT_TRUE(result.delivered) << ui.texts().join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(result.closeDialog);
        ASSERT_EQ(spooler.jobs().size(), before + 1);
        const RecordingSpooler::Job& job = spooler.jobs().back();
        EXPECT_EQ(job.state, RecordingSpooler::JobState::Finished);
        EXPECT_EQ(job.printer, "fs");
        EXPECT_EQ(job.document, "Quorlyn Build Document");
        EXPECT_TRUE(job.bytes == expectedStream(c, project));
        for (std::size_t size : job.writes)
            EXPECT_LE(size, qrl::kSendBlockSize);
        QStringList texts;
        if (c.question)
            texts << qrl::text(c.question);
        texts << QStringLiteral("Project was written to the print spooler.");
        EXPECT_EQ(ui.texts(), texts);
        leftovers.expectNone();
    }
}

// A slot image larger than a block reaches the job in full blocks, and whole.
TEST_F(BuildSessionTest, ALargeSlotImageGoesInFullBlocks)
{
    BuildProject project = projectOn(kCompactFlashCard);
    std::string form;
    for (std::size_t i = 0; form.size() < 2 * qrl::kSendBlockSize + 100; ++i)
        form.push_back(static_cast<char>(i * 7 % 251));
    project.items = {fixture.item("large.prn", kApplicationForm, "FORM1", form, 1)};
    project.totalBytes = project.items[0].record.fileSize;
    const Case& c = kCases[1];
    BuildSession session(&spooler);
    ASSERT_TRUE(session.run(project, optionsOf(c), monitor).delivered);
    const RecordingSpooler::Job& job = spooler.jobs().back();
    EXPECT_TRUE(job.bytes == expectedStream(c, project));
    EXPECT_EQ(std::count(job.writes.begin(), job.writes.end(), qrl::kSendBlockSize), 2);
    leftovers.expectNone();
}

TEST_F(BuildSessionTest, FileRoadWritesTheSameBytesAsThePrinterRoad)
{
    const Case& c = kCases[0];
    const BuildProject project = projectOn(c.medium);
    BuildOptions options = optionsOf(c);
    BuildSession toPrinter(&spooler);
    ui.answer(qrl::Answer::Ok);
    ASSERT_TRUE(toPrinter.run(project, options, monitor).delivered);

    const std::string prn = files.file("out.prn");
    options.printerName = QStringLiteral("FILE:");
    options.buildsDirectory = QString::fromStdString(files.path());
    ui.clear();
    ui.answer(qrl::Answer::Ok);
    ui.file(QString::fromStdString(prn));
    BuildSession toFile(&spooler);
    const BuildResult result = toFile.run(project, options, monitor);
    ASSERT_TRUE(result.delivered) << ui.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(qrl::test::readFile(prn) == spooler.jobs().back().bytes);
    EXPECT_EQ(spooler.jobs().size(), 1u);
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].request.title, QStringLiteral("Save Build Output As"));
    EXPECT_EQ(ui.dialogs()[0].request.fileName, QStringLiteral("bldout.prn"));
    EXPECT_EQ(ui.dialogs()[0].request.directory, options.buildsDirectory);
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Project was written to the file."));
    leftovers.expectNone();
}

TEST_F(BuildSessionTest, TheProjectTakesTheMediumTheTargetBuildsFor)
{
    // An EPROM project sent to a card in the printer: the card's medium is built and written
    // back, never the EPROM's single slot.
    BuildProject project = projectOn(kEprom);
    BuildOptions options = optionsOf(kCases[1]);
    BuildSession session(&spooler);
    const BuildResult result = session.run(project, options, monitor);
    ASSERT_TRUE(result.delivered);
    EXPECT_TRUE(result.modified);
    EXPECT_EQ(result.settings.m_medium, kCompactFlashCard);
    project.settings.m_medium = kCompactFlashCard;
    EXPECT_TRUE(spooler.jobs().back().bytes == expectedStream(kCases[1], project));
}

TEST_F(BuildSessionTest, AProjectOfTheMostItemsIsSentWholeAndOneMoreIsRefused)
{
    // Small program data, so that the most items a project holds build quickly.
    BuildProject project;
    project.title = QStringLiteral("full.prj");
    project.settings.m_medium = kCompactFlashCard;
    project.settings.m_storageSizeIndex = 22;
    std::string expected;
    for (int i = 0; i < 257; ++i) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "D%03d", i);
        const std::string name = digits;
        const std::string bytes = "program data " + name;
        project.items.push_back(fixture.item(name + ".bin", kProgramData, name, bytes));
        project.totalBytes += project.items.back().record.fileSize;
        if (i < 256)
            expected += "!R!RWER I,D;RWER W,A,128,'" + name + "';" + bytes + kSlotEnd;
    }
    const BuildProject tooMany = project;
    project.items.pop_back();

    BuildSession session(&spooler);
    const BuildResult result = session.run(project, optionsOf(kCases[1]), monitor);
    ASSERT_TRUE(result.delivered) << ui.texts().join(QStringLiteral(" | ")).toStdString();
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_TRUE(spooler.jobs().back().bytes == expected);
    leftovers.expectNone();

    // The 257th item is refused before it is put into the build: no block of it is left over.
    ui.clear();
    const long liveBlocks = QrlGlobalLiveBlocks();
    {
        BuildSession refused(&spooler);
        EXPECT_FALSE(refused.run(tooMany, optionsOf(kCases[1]), monitor).delivered);
    }
    EXPECT_EQ(QrlGlobalLiveBlocks(), liveBlocks);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2379)});
    EXPECT_EQ(spooler.jobs().size(), 1u);
    EXPECT_FALSE(monitor.isOpen());
    leftovers.expectNone();
}

TEST_F(BuildSessionTest, RefusalsBeforeTheBuildKeepTheDialogOpen)
{
    struct Refusal {
        const char* what;
        std::function<void(BuildProject&, BuildOptions&)> change;
        std::vector<qrl::Answer> answers;
        QStringList texts;
    };
    const Refusal refusals[] = {
        {"no items", [](BuildProject& p, BuildOptions&) { p.items.clear(); }, {}, {qrl::text(2200)}},
        {"program data that cannot be opened",
         [](BuildProject& p, BuildOptions&) { p.items[3].path += QStringLiteral(".gone"); },
         {},
         {qrl::text(2380), qrl::text(2391)}},
        {"format question refused",
         [](BuildProject&, BuildOptions& o) { o.format = true; },
         {qrl::Answer::Cancel},
         {qrl::text(3031)}},
        {"output file dialog cancelled",
         [](BuildProject&, BuildOptions& o) { o.printerName = QStringLiteral("FILE:"); },
         {},
         {}},
        {"a quote in a name",
         [](BuildProject& p, BuildOptions&) { p.items[0].record.name = "AB'D"; },
         {},
         {qrl::formatText(qrl::text(2464), {QStringLiteral("AB'D")})}},
        {"a control byte in a name",
         [](BuildProject& p, BuildOptions&) { p.items[2].record.name = "FO\rM1"; },
         {},
         {qrl::formatText(qrl::text(2464), {QStringLiteral("FO?M1")})}},
        {"EPROM export file dialog cancelled",
         [](BuildProject&, BuildOptions& o) { o.target = BuildTarget::Eprom; },
         {},
         {}},
        {"card image of a card other than JEIDA",
         [](BuildProject&, BuildOptions& o) { o.target = BuildTarget::CardImage; },
         {},
         {qrl::text(2462)}},
        {"a PCL macro number that is no number",
         [](BuildProject& p, BuildOptions& o) {
             o.tarnwick = true;
             p.items[1].record.name = "12;EXIT";
         },
         {},
         {qrl::formatText(qrl::text(2464), {QStringLiteral("12;EXIT")})}},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        ui.clear();
        for (qrl::Answer a : r.answers)
            ui.answer(a);
        BuildProject project = projectOn(kCompactFlashCard);
        BuildOptions options = optionsOf(kCases[1]);
        r.change(project, options);
        BuildSession session(&spooler);
        const BuildResult result = session.run(project, options, monitor);
        EXPECT_FALSE(result.delivered);
        EXPECT_FALSE(result.closeDialog);
        EXPECT_EQ(ui.texts(), r.texts);
        EXPECT_FALSE(monitor.isOpen());
        leftovers.expectNone();
    }
    EXPECT_TRUE(spooler.jobs().empty());
}

TEST_F(BuildSessionTest, AFullTemporaryFolderIsToldAsThatFolderNotAsTheItem)
{
    const qrl::test::SmallTmpfs disk;
    if (!disk.available())
        GTEST_SKIP() << disk.reason();
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(disk.path()));
    qrl::removeRunTempDir();
    BuildProject project = projectOn(kCompactFlashCard);
    // Program data larger than the whole folder: its image cannot be written there.
    const QString big = QString::fromStdString(files.file("big.dat"));
    qrl::test::writeFile(big.toStdString(), std::string(600 * 1024, 'd'));
    project.items[3].path = big;
    BuildSession session(&spooler);
    const BuildResult result = session.run(project, optionsOf(kCases[1]), monitor);
    const QString folder = qrl::runTempDir();
    qrl::removeRunTempDir();
    qputenv("TMPDIR", previous);
    EXPECT_FALSE(result.delivered);
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts().first().startsWith(qrl::text(9010).section(QLatin1Char('%'), 0, 0)))
        << ui.texts().first().toStdString();
    EXPECT_TRUE(ui.texts().first().contains(folder)) << ui.texts().first().toStdString();
    EXPECT_FALSE(ui.texts().first().contains(big));
    EXPECT_TRUE(spooler.jobs().empty());
}
