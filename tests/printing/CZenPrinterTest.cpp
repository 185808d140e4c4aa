#include "CZenPrinter.h"

#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"

#include <QFile>

#include <gtest/gtest.h>

using qrl::RecordingSpooler;
using qrl::SpoolError;

namespace {

std::string everyByte(std::size_t repeats)
{
    std::string bytes;
    for (std::size_t r = 0; r < repeats; ++r)
        for (int b = 0; b < 256; ++b)
            bytes.push_back(static_cast<char>(b));
    return bytes;
}

class ZenPrinterTest : public ::testing::Test {
protected:
    ZenPrinterTest()
    {
        spooler.addPrinter("FS-1", "usb://Maker/FS-1", false);
        spooler.addPrinter("Paused", "socket://10.0.0.9:9100", true);
        qrl::test::writeFile(file, bytes);
    }

    qrl::test::TempDirectory dir;
    std::string file = dir.file("job.prn");
    QString path = QString::fromStdString(file);
    // Two full blocks and a part.
    static constexpr std::size_t kBlock = qrl::kSendBlockSize;
    static constexpr std::size_t kPart = 12800;
    std::string bytes = everyByte((2 * kBlock + kPart) / 256);
    RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    CZenPrinter printer{&spooler};
};

// A spooler that cuts the file short once the job is open, as a file rewritten by another
// program while it is sent.
class TruncatingSpooler : public RecordingSpooler {
public:
    std::string victim;
    std::unique_ptr<qrl::SpoolJob> openJob(const std::string& name, const std::string& document,
                                           qrl::SpoolStatus& status) override
    {
        auto job = RecordingSpooler::openJob(name, document, status);
        QFile::resize(QString::fromStdString(victim), 5000);
        return job;
    }
};

} // namespace

TEST_F(ZenPrinterTest, SendsTheFileWholeInBlocksUnderTheDocumentName)
{
    ASSERT_TRUE(printer.SendFile(path, "FS-1"));
    ASSERT_EQ(spooler.jobs().size(), 1u);
    const RecordingSpooler::Job& first = spooler.jobs()[0];
    EXPECT_EQ(first.printer, "FS-1");
    EXPECT_EQ(first.document, CZenPrinter::kDefaultDocumentName);
    EXPECT_EQ(first.bytes, bytes);
    EXPECT_EQ(first.state, RecordingSpooler::JobState::Finished);
    EXPECT_EQ(first.writes, (std::vector<std::size_t>{kBlock, kBlock, kPart}));

    // A name set once holds for every later job of the same object.
    printer.SetDocumentName(QStringLiteral("Quorlyn Vorl Font Downloader File"));
    ASSERT_TRUE(printer.SendFile(path, "FS-1"));
    ASSERT_TRUE(printer.SendFile(path, "FS-1"));
    EXPECT_EQ(spooler.jobs()[1].document, "Quorlyn Vorl Font Downloader File");
    EXPECT_EQ(spooler.jobs()[2].document, "Quorlyn Vorl Font Downloader File");
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ZenPrinterTest, RefusalsBeforeAnyJob)
{
    struct Case {
        const char* what;
        QString path;
        QString printer;
        bool unavailable;
        QStringList messages;
    };
    const QStringList cannotOpen{QString::fromLatin1(CZenPrinter::kCannotOpenPrinter)};
    const Case cases[] = {
        {"missing file", path + QStringLiteral(".gone"), QStringLiteral("FS-1"), false, {}},
        {"empty printer name", path, QString(), false, {}},
        {"unknown printer", path, QStringLiteral("FS-9"), false, cannotOpen},
        {"spooler unreachable", path, QStringLiteral("FS-1"), true, cannotOpen},
    };
    for (const Case& c : cases) {
        spooler.setUnavailable(c.unavailable);
        ui.clear();
        EXPECT_FALSE(printer.SendFile(c.path, c.printer)) << c.what;
        EXPECT_EQ(ui.texts(), c.messages) << c.what;
    }
    EXPECT_TRUE(spooler.jobs().empty());
}

TEST_F(ZenPrinterTest, AFailedStageAbortsTheJobAndReportsFailure)
{
    struct Case {
        const char* what;
        RecordingSpooler::Faults faults;
        const char* printer;
        SpoolError error;
        std::size_t bytesSent;
    };
    const Case cases[] = {
        {"job refused", {true, false, 0, false}, "FS-1", SpoolError::OpenFailed, 0},
        {"document not started", {false, true, 0, false}, "FS-1", SpoolError::StartFailed, 0},
        {"printer stopped", {}, "Paused", SpoolError::PrinterStopped, 0},
        {"third write", {false, false, 3, false}, "FS-1", SpoolError::WriteFailed, 2 * kBlock},
        {"end not confirmed", {false, false, 0, true}, "FS-1", SpoolError::FinishFailed, bytes.size()},
    };
    for (const Case& c : cases) {
        RecordingSpooler fresh;
        fresh.addPrinter("FS-1");
        fresh.addPrinter("Paused", {}, true);
        fresh.faults() = c.faults;
        CZenPrinter sender(&fresh);
        EXPECT_FALSE(sender.SendFile(path, QString::fromLatin1(c.printer))) << c.what;
        EXPECT_EQ(sender.lastError().error, c.error) << c.what;
        if (c.bytesSent == 0) {
            EXPECT_TRUE(fresh.jobs().empty()) << c.what;
        } else {
            ASSERT_EQ(fresh.jobs().size(), 1u) << c.what;
            EXPECT_EQ(fresh.jobs()[0].bytes.size(), c.bytesSent) << c.what;
            EXPECT_EQ(fresh.jobs()[0].state, RecordingSpooler::JobState::Aborted) << c.what;
        }
    }
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(ZenPrinterTest, AFileCutShortWhileSentIsAbortedWithAFileMessage)
{
    TruncatingSpooler cutting;
    cutting.addPrinter("FS-1");
    cutting.victim = file;
    CZenPrinter sender(&cutting);

    EXPECT_FALSE(sender.SendFile(path, QStringLiteral("FS-1")));
    ASSERT_EQ(cutting.jobs().size(), 1u);
    EXPECT_EQ(cutting.jobs()[0].state, RecordingSpooler::JobState::Aborted);
    EXPECT_EQ(cutting.jobs()[0].bytes, bytes.substr(0, 5000));
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_TRUE(ui.texts()[0].contains(path));
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2232)));
}

TEST_F(ZenPrinterTest, PortLookupAndDefaultPrinter)
{
    EXPECT_EQ(printer.GetPrinterPortName(QStringLiteral("FS-1")), QStringLiteral("usb://Maker/FS-1"));
    EXPECT_TRUE(ui.shown().isEmpty());
    EXPECT_EQ(printer.GetPrinterPortName(QStringLiteral("Nobody")), QString());
    EXPECT_EQ(ui.texts(), QStringList{QString::fromLatin1(CZenPrinter::kCannotOpenPrinter)});
    ui.clear();
    EXPECT_EQ(printer.GetPrinterPortName(QString()), QString());
    EXPECT_TRUE(ui.shown().isEmpty());

    EXPECT_EQ(printer.GetDefaultPrinterName(), QString());
    spooler.setDefaultPrinter("Paused");
    EXPECT_EQ(printer.GetDefaultPrinterName(), QStringLiteral("Paused"));
    EXPECT_TRUE(CZenPrinter::FileExists(path));
    EXPECT_TRUE(CZenPrinter::FileExists(QString::fromStdString(dir.path())));
    EXPECT_FALSE(CZenPrinter::FileExists(path + QStringLiteral("x")));
}
