#include "ToolSender.h"
#include "CMacroEditDlgText.h"
#include "CPrintToolArray.h"
#include "CallMacroCommand.h"
#include "PrinterText.h"
#include "TextIds.h"

#include "FileSave.h"
#include "FileSizeLimit.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using qrl::RecordingSpooler;
using JobState = qrl::RecordingSpooler::JobState;

namespace {

const std::string kTools = "Quorlyn Tools Document";
const std::string kFileJob = "Quorlyn File Document";

// The write protection jobs, each its format with the job name filled in twice.
const std::string kCfOn =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"CF Enable Write Protection\"\r\n"
    "@PJL DEFAULT KCARD1LOCK=ON\r\n@PJL EOJ NAME=\"CF Enable Write Protection\"\r\n\x1b%-12345X";
const std::string kCfOff =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"CF Disable Write Protection\"\r\n"
    "@PJL DEFAULT KCARD1LOCK=OFF\r\n@PJL EOJ NAME=\"CF Disable Write Protection\"\r\n\x1b%-12345X";
const std::string kDiskOn =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"HDMD Enable Write Protection\"\r\n"
    "@PJL DEFAULT DISKLOCK=ON\r\n@PJL EOJ NAME=\"HDMD Enable Write Protection\"\r\n\x1b%-12345X";
const std::string kDiskOff =
    "\x1b%-12345X@PJL\r\n@PJL JOB NAME=\"HDMD Disable Write Protection\"\r\n"
    "@PJL DEFAULT DISKLOCK=OFF\r\n@PJL EOJ NAME=\"HDMD Disable Write Protection\"\r\n\x1b%-12345X";

struct FixedRow {
    const char* name;
    int helpId;
    std::string command;
    std::string tarnwickCommand;
};
const FixedRow kFixedRows[] = {
    {"Print status page", 2272, "!R! STAT;EXIT;", "!R! STAT;EXIT;"},
    {"Print macro list", 2273, "!R! MLST;EXIT;", "!R! MLST;EXIT;"},
    {"Print font list", 2274, "!R! FLST;EXIT;", "!R! FLST;EXIT;"},
    {"Format hard disk / micro drive", 2275, "!R!RWER I,D;RWER F,0;EXIT,E;\r\n",
     "!R!RWRF I,D;RWRF F,0;EXIT,E;\r\n"},
    {"Print hard disk / micro drive partitions", 2276, "!R!RWER L,0;EXIT,E;\r\n", "!R!RWRF L,0;EXIT,E;\r\n"},
    {"Format PCMCIA card", 2280, "!R!ICCD I,D;ICCD F,A;EXIT,E;\r\n", "!R!ICCD I,D;ICCD F,A;EXIT,E;\r\n"},
    {"Print PCMCIA card partitions", 2281, "!R!ICCD I,D;ICCD L,A;EXIT,E;\r\n",
     "!R!ICCD I,D;ICCD L,A;EXIT,E;\r\n"},
    {"Format compact flash card", 2282, "!R!RWER I,D;RWER F,A;EXIT,E;\r\n",
     "!R!RWRF I,D;RWRF F,A;EXIT,E;\r\n"},
    {"Print compact flash card partitions", 2283, "!R!RWER I,D;RWER L,A;EXIT,E;\r\n",
     "!R!RWRF I,D;RWRF L,A;EXIT,E;\r\n"},
    {"Compact flash card write protection ON", 2284, kCfOn, kCfOn},
    {"Compact flash card write protection OFF", 2285, kCfOff, kCfOff},
    {"Hard disk / micro drive write protection ON", 2286, kDiskOn, kDiskOn},
    {"Hard disk / micro drive write protection OFF", 2287, kDiskOff, kDiskOff},
};

// A binary file of `size` bytes in which every byte value occurs.
std::string binaryFile(int size)
{
    std::string bytes(static_cast<std::size_t>(size), '\0');
    for (int i = 0; i < size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(i * 7);
    return bytes;
}

class ToolSenderTest : public ::testing::Test {
protected:
    ToolSenderTest()
    {
        spooler.addPrinter("FS-1", "usb://Maker/FS-1");
        spooler.addPrinter("Paused", "socket://10.0.0.9:9100", true);
        spooler.addPrinter("Print to file", "FILE:");
        qrl::test::writeFile(dataFile, dataBytes);
    }
    bool send(const std::vector<int>& rows, bool tarnwick = false,
              const QString& printer = QStringLiteral("FS-1"))
    {
        return sender.SendTools(rows, {printer, QStringLiteral("usb://Maker/FS-1"), tarnwick});
    }
    int macroRow(const char* text) { return tools.AddCustomTool(QStringLiteral("m"), QByteArray(text)); }
    void chooseFile(const std::string& path)
    {
        tools.SetToolText(CPrintToolArray::kSendFileRow, QByteArray::fromStdString(path));
    }

    qrl::test::TempDirectory dir;
    std::string dataFile = dir.file("logo.prn");
    std::string dataBytes = binaryFile(5120); // a full block and a part
    RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    CPrintToolArray tools{true};
    CallMacroParams call;
    ToolSender sender{tools, call, &spooler};
};

} // namespace

TEST_F(ToolSenderTest, EveryFixedToolSendsItsCommandByteForByte)
{
    ASSERT_EQ(tools.size(), 16);
    EXPECT_EQ(tools.GetToolName(15), QStringLiteral("Custom macro #1"));
    EXPECT_EQ(CPrintToolArray(false).size(), 15);
    for (const bool tarnwick : {false, true}) {
        for (int row = 0; row < 13; ++row) {
            const FixedRow& fixed = kFixedRows[row];
            SCOPED_TRACE(fixed.name);
            EXPECT_EQ(tools.GetToolName(row), QString::fromLatin1(fixed.name));
            EXPECT_EQ(CPrintToolArray::helpTextId(row), fixed.helpId);
            const std::size_t before = spooler.jobs().size();
            ASSERT_TRUE(send({row}, tarnwick));
            ASSERT_EQ(spooler.jobs().size(), before + 1);
            const RecordingSpooler::Job& job = spooler.jobs().back();
            EXPECT_EQ(job.printer, "FS-1");
            EXPECT_EQ(job.document, kTools);
            EXPECT_EQ(job.bytes, tarnwick ? fixed.tarnwickCommand : fixed.command);
            EXPECT_EQ(job.state, JobState::Finished);
        }
    }
    EXPECT_EQ(CPrintToolArray::helpTextId(13), 2277);
    EXPECT_EQ(CPrintToolArray::helpTextId(14), 2278);
    EXPECT_EQ(CPrintToolArray::helpTextId(40), 2279);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ToolSenderTest, CheckedRowsGoIntoOneJobInListOrder)
{
    call = {QStringLiteral("ABCD"), QStringLiteral("1"), QStringLiteral("2")};
    const int macro = macroRow("!R! MCRO X;\r\nBOX 1,1;\r\nENDM;\r\nEXIT;");
    ASSERT_TRUE(send({2, macro, 13, 0}));
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_EQ(
        spooler.jobs()[0].bytes,
        "!R! FLST;EXIT;!R! MCRO X;\r\nBOX 1,1;\r\nENDM;\r\nEXIT;!R! CALL 2 ABCD, 1 ; EXIT;!R! STAT;EXIT;");
    EXPECT_EQ(spooler.jobs()[0].writes.size(), 4u); // one write per row
    EXPECT_EQ(sender.callCommand(), QByteArray("!R! CALL 2 ABCD, 1 ; EXIT;"));
}

TEST_F(ToolSenderTest, CallCommandsAreBuiltOnlyFromValuesThatCannotBreakThem)
{
    struct Case {
        const char* name;
        const char* parameter;
        const char* repeat;
        CallMacroProblem problem;
        const char* command;
    };
    const std::string longName(239, 'N'); // with "!R! CALL " and "; EXIT;": 255 bytes
    const Case cases[] = {
        {"ABCD", "1", "2", CallMacroProblem::None, "!R! CALL 2 ABCD, 1 ; EXIT;"},
        {"ABCD", "", "", CallMacroProblem::None, "!R! CALL ABCD; EXIT;"},
        {"ABCD", "5", "", CallMacroProblem::None, "!R! CALL ABCD, 5 ; EXIT;"},
        {"ABCD", "'a b', 7", "12", CallMacroProblem::None, "!R! CALL 12 ABCD, 'a b', 7 ; EXIT;"},
        {"", "1", "2", CallMacroProblem::NoName, nullptr},
        {"AB;STAT", "", "", CallMacroProblem::BadName, nullptr},
        {"AB'CD", "", "", CallMacroProblem::BadName, nullptr},
        {"AB CD", "", "", CallMacroProblem::BadName, nullptr},
        {"AB\x1b"
         "E",
         "", "", CallMacroProblem::BadName, nullptr},
        {"ABCD", "1; STAT", "", CallMacroProblem::BadValues, nullptr},
        {"ABCD", "'open", "", CallMacroProblem::BadValues, nullptr},
        {"ABCD", "1\r\n", "", CallMacroProblem::BadValues, nullptr},
        {"ABCD", "", "2x", CallMacroProblem::BadValues, nullptr},
        {longName.c_str(), "", "", CallMacroProblem::None, nullptr},
        {longName.c_str(), "", "1", CallMacroProblem::TooLong, nullptr},
        // One byte a character, Latin-1, as the custom macro texts; none for a character without one.
        {"\xc3\x89T\xc3\x89", "\xc3\xa9", "", CallMacroProblem::None, "!R! CALL \xc9T\xc9, \xe9 ; EXIT;"},
        {"ABCD", "5 \xe2\x82\xac", "", CallMacroProblem::NotLatin1, nullptr},
        {"\xc4\x80", "", "", CallMacroProblem::NotLatin1, nullptr},
        {"ABCD", "", "\xd9\xa3", CallMacroProblem::NotLatin1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray command = "unchanged";
        const CallMacroParams params{QString::fromUtf8(c.name), QString::fromUtf8(c.parameter),
                                     QString::fromUtf8(c.repeat)};
        EXPECT_EQ(buildCallMacroCommand(params, command), c.problem);
        if (c.command) {
            EXPECT_EQ(command, QByteArray(c.command));
        } else if (c.problem != CallMacroProblem::None) {
            EXPECT_EQ(command, QByteArray("unchanged"));
        } else {
            EXPECT_EQ(command.size(), kMaxCommandBytes);
        }
    }
}

TEST_F(ToolSenderTest, ALetterReachesThePrinterAsTheSameByteFromTheCallAndTheMacroEditor)
{
    const QString letter = QStringLiteral("\u00c9");
    call = {QStringLiteral("ABCD"), letter, QString()};
    const std::optional<QByteArray> stored = qrl::macroedit::storedText(QStringLiteral("!R! CMNT ") + letter);
    ASSERT_TRUE(stored);
    const int macro = tools.AddCustomTool(QStringLiteral("m"), *stored);
    ASSERT_TRUE(send({macro, 13}));
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_EQ(spooler.jobs()[0].bytes, "!R! CMNT \xc9!R! CALL ABCD, \xc9 ; EXIT;");

    // A character with no such byte is refused with its message, never sent as another.
    call.parameter = QStringLiteral("\u20ac");
    EXPECT_FALSE(send({13}));
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(qrl::ids::kNotLatin1)});
    EXPECT_FALSE(qrl::macroedit::storedText(QStringLiteral("\u0100")).has_value());
    EXPECT_EQ(spooler.jobs().size(), 1u);
}

TEST_F(ToolSenderTest, RowsThatCannotBeSentAreReportedAndTheOthersStillGo)
{
    const int emptyMacro = 15; // "Custom macro #1" has no text
    struct Case {
        const char* what;
        CallMacroParams call;
        std::vector<int> rows;
        bool result;
        QStringList messages;
        std::string sent;
    };
    const QString missingFile = QString::fromStdString(dir.file("gone.prn"));
    const Case cases[] = {
        {"CALL row alone without a name", {}, {13}, false, {qrl::text(2211)}, ""},
        {"CALL row without a name beside another row",
         {},
         {13, 0},
         true,
         {qrl::text(2211)},
         "!R! STAT;EXIT;"},
        {"CALL macro name with a command in it",
         {QStringLiteral("X;STAT"), {}, {}},
         {13},
         false,
         {qrl::text(3015)},
         ""},
        {"custom macro without text", {}, {emptyMacro}, false, {qrl::text(2212)}, ""},
        {"file row without a file", {}, {14}, false, {qrl::text(2311)}, ""},
        {"all three failing",
         {},
         {13, emptyMacro, 14},
         false,
         {qrl::text(2211), qrl::text(2212), qrl::text(2311)},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        call = c.call;
        const std::size_t before = spooler.jobs().size();
        EXPECT_EQ(send(c.rows), c.result);
        EXPECT_EQ(ui.texts(), c.messages);
        // A job with nothing to print is never opened.
        ASSERT_EQ(spooler.jobs().size(), before + (c.sent.empty() ? 0 : 1));
        if (!c.sent.empty()) {
            EXPECT_EQ(spooler.jobs().back().bytes, c.sent);
        }
    }
}

TEST_F(ToolSenderTest, AFileToSendGoesInAJobOfItsOwnBetweenTheToolsJobs)
{
    chooseFile(dataFile);
    const int macro = macroRow("!R! CALL LOGO; EXIT;");
    ASSERT_TRUE(send({0, 14, macro, 2}));
    ASSERT_EQ(spooler.jobs().size(), 3u);
    EXPECT_EQ(spooler.jobs()[0].document, kTools);
    EXPECT_EQ(spooler.jobs()[0].bytes, "!R! STAT;EXIT;");
    EXPECT_EQ(spooler.jobs()[1].document, kFileJob);
    EXPECT_EQ(spooler.jobs()[1].bytes, dataBytes);
    for (std::size_t n : spooler.jobs()[1].writes)
        EXPECT_LE(n, 4096u);
    EXPECT_EQ(spooler.jobs()[2].document, kTools);
    EXPECT_EQ(spooler.jobs()[2].bytes, "!R! CALL LOGO; EXIT;!R! FLST;EXIT;");
    for (const RecordingSpooler::Job& job : spooler.jobs())
        EXPECT_EQ(job.state, JobState::Finished);

    // A file that cannot be opened starts no job; the other rows are sent.
    const std::string gone = dir.file("gone.prn");
    chooseFile(gone);
    EXPECT_TRUE(send({14, 0}));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("The file: ") + QString::fromStdString(gone) +
                                      QStringLiteral("\ncould not be opened")});
    ASSERT_EQ(spooler.jobs().size(), 4u);
    EXPECT_EQ(spooler.jobs()[3].bytes, "!R! STAT;EXIT;");
}

TEST_F(ToolSenderTest, AJobTheSpoolerDoesNotTakeIsNeverReportedAsSent)
{
    chooseFile(dataFile);
    struct Case {
        const char* what;
        QString printer;
        RecordingSpooler::Faults faults;
        std::vector<int> rows;
        QStringList messages;
        std::vector<JobState> jobs;
    };
    const Case cases[] = {
        {"unknown printer", QStringLiteral("Gone"), {}, {0}, {qrl::text(2310)}, {}},
        {"stopped printer", QStringLiteral("Paused"), {}, {0}, {}, {}},
        {"job refused", QStringLiteral("FS-1"), {true, false, 0, false}, {0, 2}, {}, {}},
        {"write fails: nothing after it is sent",
         QStringLiteral("FS-1"),
         {false, false, 1, false},
         {0, 14, 2},
         {},
         {JobState::Aborted}},
        {"end not confirmed", QStringLiteral("FS-1"), {false, false, 0, true}, {0}, {}, {JobState::Aborted}},
        {"file job breaks",
         QStringLiteral("FS-1"),
         {false, false, 2, false},
         {14, 0},
         {},
         {JobState::Aborted}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        spooler.faults() = c.faults;
        const std::size_t before = spooler.jobs().size();
        EXPECT_FALSE(send(c.rows, false, c.printer));
        EXPECT_EQ(ui.texts(), c.messages);
        // The send dialog shows the spooler's reason beneath its result.
        EXPECT_FALSE(sender.lastReason().isEmpty());
        std::vector<JobState> states;
        for (std::size_t i = before; i < spooler.jobs().size(); ++i)
            states.push_back(spooler.jobs()[i].state);
        EXPECT_EQ(states, c.jobs);
    }

    // A printer whose port is "FILE:" is refused before the spooler is asked anything.
    spooler.faults() = {};
    ui.clear();
    const int lookups = spooler.lookups();
    EXPECT_FALSE(sender.SendTools({0}, {QStringLiteral("Print to file"), QStringLiteral("FILE:"), false}));
    EXPECT_EQ(ui.texts(),
              QStringList{QStringLiteral("Can not write to file.\r\nPlease select another printer")});
    EXPECT_EQ(spooler.lookups(), lookups);
}

TEST_F(ToolSenderTest, AJobTheSpoolerFailsAfterItsEndIsNotSentAndAWaitingOneIsSentWithItsQueue)
{
    using Fate = qrl::JobOutcome::Fate;
    chooseFile(dataFile);
    struct Case {
        Fate fate;
        bool sent;
        QString reason;
        QString note;
    };
    const Case cases[] = {
        {Fate::Taken, true, {}, {}},
        {Fate::Waiting, true, {}, QStringLiteral("The job is waiting in the print system: queue state")},
        {Fate::Failed, false, QStringLiteral("queue state"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fate));
        spooler.faults().outcome = {c.fate, "queue state"};
        const std::size_t before = spooler.jobs().size();
        // A file's job of its own, then the tools job: every job is followed.
        EXPECT_EQ(send({14, 0}, false, QStringLiteral("FS-1")), c.sent);
        EXPECT_EQ(sender.lastReason(), c.reason);
        EXPECT_EQ(sender.waitingNote(), c.note);
        // A failed job ends the send: nothing after it goes out.
        EXPECT_EQ(spooler.jobs().size() - before, c.sent ? 2u : 1u);
        EXPECT_TRUE(spooler.jobs().back().followed);
    }
}

TEST_F(ToolSenderTest, ThePseudoPrinterFileWritesTheSameBytesIntoOneFile)
{
    chooseFile(dataFile);
    const QString out = QString::fromStdString(dir.file("tools.prn"));
    ui.file(out);
    ASSERT_TRUE(send({0, 14, 2}, false, qrl::text(3000)));
    EXPECT_TRUE(spooler.jobs().empty());
    EXPECT_EQ(qrl::test::readFile(out.toStdString()), "!R! STAT;EXIT;" + dataBytes + "!R! FLST;EXIT;");
    ASSERT_EQ(ui.dialogs().size(), 1);
    const qrl::FileDialogRequest& request = ui.dialogs()[0].request;
    EXPECT_EQ(ui.dialogs()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(request.title, QStringLiteral("Save to file"));
    EXPECT_EQ(request.filter, qrl::text(2360));
    EXPECT_EQ(request.fileName, QStringLiteral("Quorlyn Tools Document.prn"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("prn"));

    // Cancelling the save dialog sends nothing anywhere.
    EXPECT_FALSE(send({0}, false, qrl::text(3000)));
    EXPECT_TRUE(spooler.jobs().empty());

    // A file that cannot be written whole is reported and is never left half written.
    const QString full = QString::fromStdString(dir.file("full.prn"));
    ui.file(full);
    ui.clear();
    {
        const qrl::test::FileSizeLimit fullDisk(4096);
        EXPECT_FALSE(send({0, 14}, false, qrl::text(3000)));
    }
    EXPECT_FALSE(QFileInfo::exists(full));
    EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::TooLarge, full)});

    // Nothing to send makes no file and leaves an earlier one as it was.
    chooseFile({});
    for (const bool earlier : {false, true}) {
        if (earlier)
            qrl::test::writeFile(full.toStdString(), "the earlier file");
        ui.clear();
        ui.file(full);
        EXPECT_FALSE(send({14}, false, qrl::text(3000)));
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(2311)});
        EXPECT_EQ(QFileInfo::exists(full), earlier);
        if (earlier) {
            EXPECT_EQ(qrl::test::readFile(full.toStdString()), "the earlier file");
        }
    }
}
