#include "CPrinterOutput.h"

#include "FileSave.h"
#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "TempCwd.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kTitle = QStringLiteral("Save Build Output As");
const QString kFilter = QStringLiteral("Build output file (*.prn)|*.prn|All Files (*.*)|*.*||");

class PrinterOutputTest : public ::testing::Test {
protected:
    bool select(QString& out)
    {
        return sink.SelectOutputFile(out, kTitle, kFilter, QStringLiteral(".prn"),
                                     QStringLiteral("bldout.prn"));
    }

    qrl::test::TempDirectory dir;
    QString folder = QString::fromStdString(dir.path());
    qrl::RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    CPrinterOutput sink{nullptr, &spooler};
};

} // namespace

TEST_F(PrinterOutputTest, OnlyWritablePortsAreListed)
{
    spooler.addPort({"usb://Maker/FS-1", true, false});
    spooler.addPort({"serial:/dev/ttyS0?baud=9600", false, true});
    spooler.addPort({"socket://10.0.0.5:9100", true, true});
    ASSERT_TRUE(sink.EnumWritablePorts(0));
    ASSERT_TRUE(sink.EnumWritablePorts(0)); // a second call does not add the ports twice
    EXPECT_EQ(sink.ports(),
              (QStringList{QStringLiteral("usb://Maker/FS-1"), QStringLiteral("socket://10.0.0.5:9100")}));

    spooler.setUnavailable(true);
    EXPECT_FALSE(sink.EnumWritablePorts(0));
    EXPECT_TRUE(sink.ports().isEmpty());
}

TEST_F(PrinterOutputTest, ChoosingAFileProvesItWritableAndCreatesNothing)
{
    sink.setInitialDirectory(folder);
    const QString chosen = folder + QStringLiteral("/first.prn");
    ui.file(chosen);
    QString out;
    ASSERT_TRUE(select(out));
    EXPECT_EQ(out, chosen);
    EXPECT_TRUE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    ASSERT_EQ(ui.dialogs().size(), 1);
    const qrl::FileDialogRequest& r = ui.dialogs()[0].request;
    EXPECT_EQ(ui.dialogs()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(r.title, kTitle);
    EXPECT_EQ(r.filter, kFilter);
    EXPECT_EQ(r.fileName, QStringLiteral("bldout.prn"));
    EXPECT_EQ(r.directory, folder);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(PrinterOutputTest, AnExistingFileIsAskedForAndKeptUntilTheOutputReplacesIt)
{
    const std::string existing = dir.file("old.prn");
    qrl::test::writeFile(existing, "!R!STAT;EXIT;");
    ui.file(QString::fromStdString(existing));
    QString out;
    ASSERT_TRUE(select(out));
    EXPECT_TRUE(ui.dialogs()[0].request.overwritePrompt);
    EXPECT_EQ(qrl::test::readFile(existing), "!R!STAT;EXIT;");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.prn")});

    // A pipe is not opened to prove it: with no reader that would wait for ever.
    const std::string pipe = dir.file("port");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ui.file(QString::fromStdString(pipe));
    ASSERT_TRUE(select(out));
    EXPECT_EQ(out, QString::fromStdString(pipe));
}

TEST_F(PrinterOutputTest, CancelOrAFileThatCannotBeCreatedGivesNoPath)
{
    QString out = QStringLiteral("unchanged");
    ui.file(QStringList{}); // cancel
    EXPECT_FALSE(select(out));
    EXPECT_TRUE(ui.shown().isEmpty());

    const QString missing = folder + QStringLiteral("/no/such/folder/bldout.prn");
    ui.file(missing);
    EXPECT_FALSE(select(out));
    EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::Other, missing)});

    ui.clear();
    ui.file(folder);
    EXPECT_FALSE(select(out));
    EXPECT_EQ(ui.texts(), QStringList{qrl::writeFailureText(qrl::WriteError::NotRegularFile, folder)});
    EXPECT_EQ(out, QStringLiteral("unchanged"));
}
