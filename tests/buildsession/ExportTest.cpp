// The export road of the build session: the export file dialog, the EPROM image in its three
// forms and the PC Card image, end to end over the engine, and the failures with their messages.
#include "BuildSession.h"
#include "ExportFile.h"

#include "BuildMonitor.h"
#include "BuildTestProject.h"
#include "CardImageReader.h"
#include "FileSave.h"

#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "vintrel.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace qrl::build;
using qrl::test::readFile;
using qrl::test::writeFile;

namespace {

class ExportTest : public ::testing::Test {
protected:
    BuildProject projectOn(StorageMedium medium, std::uint16_t sizeIndex = 13) const
    {
        BuildProject project = fixture.cardProject();
        project.settings.m_medium = medium;
        project.settings.m_storageSizeIndex = sizeIndex;
        return project;
    }

    static BuildOptions exportOptions(BuildTarget target, ExportFormat format = ExportFormat::Hex)
    {
        BuildOptions options;
        options.target = target;
        options.exportFormat = format;
        options.cardType = QString::fromLatin1(target == BuildTarget::CardImage ? "JEIDA" : "");
        options.printerName = QStringLiteral("FILE:");
        return options;
    }

    QString exportPath(const char* name) const { return QString::fromStdString(out.file(name)); }

    BuildResult run(const BuildProject& project, const BuildOptions& options)
    {
        BuildSession session(&spooler);
        return session.run(project, options, monitor);
    }

    // The files of the output folder.
    QStringList outputFiles() const
    {
        return QDir(QString::fromStdString(out.path())).entryList(QDir::Files | QDir::Hidden);
    }

    qrl::test::TempDirectory files;
    qrl::test::TempDirectory out;
    qrl::test::BuildFixture fixture{files.path()};
    qrl::RecordingSpooler spooler;
    qrl::test::ScriptedUserInterface ui;
    BuildMonitor monitor;
    qrl::test::BuildLeftovers leftovers;
};

// What the engine's own exports make of the same slot image.
std::string eepromImage(const QByteArray& slotImage, std::uint32_t format)
{
    qrl::test::TempCwd cwd;
    writeFile("SLT00000.SLT", slotImage.toStdString());
    EXPECT_EQ(CreateEPROMFile(), 1);
    EXPECT_EQ(WriteFileQRL("expected", format, nullptr), 1);
    return readFile("expected");
}

TEST_F(ExportTest, TheFileDialogOfEachTargetAndFormat)
{
    struct Case {
        const char* what;
        BuildTarget target;
        ExportFormat format;
        const char* typed;
        const char* stored;
        int title, filter;
        const char* suffix;
    };
    const Case cases[] = {
        {"S-records", BuildTarget::Eprom, ExportFormat::Hex, "rom", "rom.hex", 2324, 2374, "hex"},
        {"S-records, upper-case extension", BuildTarget::Eprom, ExportFormat::Hex, "ROM.HEX", "ROM.HEX.hex",
         2324, 2374, "hex"},
        {"Motorola binary", BuildTarget::Eprom, ExportFormat::MotorolaBinary, "rom.bin", "rom.bin", 2376,
         2375, "bin"},
        {"Intel binary", BuildTarget::Eprom, ExportFormat::IntelBinary, "rom", "rom.bin", 2376, 2375, "bin"},
        {"card image", BuildTarget::CardImage, ExportFormat::Hex, "card", "card.bxf", 2376, 2373, "bxf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.clear();
        ui.file(exportPath(c.typed));
        BuildOptions options = exportOptions(c.target, c.format);
        options.buildsDirectory = QStringLiteral("/builds");
        QString name = QStringLiteral("demo");
        ASSERT_TRUE(SelectExportFile(options, QStringLiteral("/projects"), name));
        EXPECT_EQ(name, exportPath(c.stored));
        ASSERT_EQ(ui.dialogs().size(), 1);
        const qrl::FileDialogRequest& request = ui.dialogs()[0].request;
        EXPECT_EQ(request.title, qrl::text(c.title));
        EXPECT_EQ(request.filter, qrl::text(c.filter));
        EXPECT_EQ(request.defaultSuffix, QString::fromLatin1(c.suffix));
        EXPECT_EQ(request.fileName, QStringLiteral("demo"));
        EXPECT_EQ(request.directory, QStringLiteral("/builds"));
        EXPECT_TRUE(request.overwritePrompt);
        // Choosing creates nothing.
        EXPECT_TRUE(outputFiles().isEmpty());
    }
    // Without a builds directory the dialog opens in the project's folder.
    ui.clear();
    ui.file(exportPath("rom"));
    QString name;
    ASSERT_TRUE(SelectExportFile(exportOptions(BuildTarget::Eprom), QStringLiteral("/projects"), name));
    EXPECT_EQ(ui.dialogs()[0].request.directory, QStringLiteral("/projects"));
}

TEST_F(ExportTest, EpromImagesAreWhatTheEngineMakesOfTheSlotImage)
{
    const BuildProject project = projectOn(kEprom);
    const std::vector<qrl::test::EngineSlot> engine = qrl::test::engineSlots(project, kEprom);
    ASSERT_EQ(engine.size(), 1u);
    const ExportFormat formats[] = {ExportFormat::Hex, ExportFormat::MotorolaBinary,
                                    ExportFormat::IntelBinary};
    const char* names[] = {"rom.hex", "motorola.bin", "intel.bin"};
    for (int format = 0; format < 3; ++format) {
        SCOPED_TRACE(format);
        ui.clear();
        ui.file(exportPath(names[format]));
        const BuildResult result = run(project, exportOptions(BuildTarget::Eprom, formats[format]));
        EXPECT_TRUE(result.delivered);
        EXPECT_TRUE(result.closeDialog);
        EXPECT_EQ(ui.dialogs()[0].request.fileName, QStringLiteral("card"));
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(3004)});
        EXPECT_EQ(readFile(out.file(names[format])), eepromImage(engine[0].image, format + 1));
        EXPECT_FALSE(monitor.isOpen());
        leftovers.expectNone();
    }
    EXPECT_EQ(outputFiles().size(), 3);
}

TEST_F(ExportTest, AJeidaProjectBecomesACardImageOfItsSlotImages)
{
    const BuildProject project = projectOn(kJeidaCard);
    const std::vector<qrl::test::EngineSlot> engine = qrl::test::engineSlots(project, kJeidaCard);
    ui.file(exportPath("card"));
    const BuildResult result = run(project, exportOptions(BuildTarget::CardImage));
    EXPECT_TRUE(result.delivered);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3003)});
    leftovers.expectNone();

    qrl::test::CardImage card;
    ASSERT_EQ(qrl::test::readCardImage(readFile(out.file("card.bxf")), card), "");
    EXPECT_EQ(card.deviceInfo, 0x54);
    EXPECT_EQ(card.sizeCode, 0x3E); // the project's 16 MB
    ASSERT_EQ(card.cardSlots.size(), engine.size());
    for (std::size_t i = 0; i < engine.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(card.cardSlots[i].kind, engine[i].kind);
        EXPECT_EQ(QByteArray::fromStdString(card.cardSlots[i].name), engine[i].name);
        EXPECT_TRUE(QByteArray::fromStdString(card.cardSlots[i].image) == engine[i].image);
    }
}

TEST_F(ExportTest, FailuresShowTheirMessageAndLeaveNoFile)
{
    struct Failure {
        const char* what;
        BuildTarget target;
        std::uint16_t sizeIndex;
        const char* chosen; // nullptr: the dialog is cancelled
        QStringList texts;
        bool closes;
    };
    const Failure failures[] = {
        {"dialog cancelled", BuildTarget::Eprom, 13, nullptr, {}, false},
        {"card image dialog cancelled", BuildTarget::CardImage, 13, nullptr, {}, false},
        {"folder missing",
         BuildTarget::Eprom,
         13,
         "missing/rom.hex",
         {qrl::writeFailureText(qrl::WriteError::Other, exportPath("missing/rom.hex"))},
         false},
        {"card image larger than a 32 KB card",
         BuildTarget::CardImage,
         0,
         "card.bxf",
         {cardCapacityText({})},
         false},
        {"a 48 MB card has no size code",
         BuildTarget::CardImage,
         18,
         "card.bxf",
         {cardCapacityText({})},
         false},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.what);
        ui.clear();
        ui.file(f.chosen ? exportPath(f.chosen) : QString());
        BuildProject project = projectOn(f.target == BuildTarget::Eprom ? kEprom : kJeidaCard, f.sizeIndex);
        project.items.push_back(
            fixture.item("big.prn", kApplicationForm, "BIG", std::string(40 * 1024, 'f')));
        const BuildResult result = run(project, exportOptions(f.target));
        EXPECT_FALSE(result.delivered);
        EXPECT_EQ(result.closeDialog, f.closes);
        EXPECT_EQ(ui.texts(), f.texts);
        EXPECT_FALSE(monitor.isOpen());
        EXPECT_TRUE(outputFiles().isEmpty());
        leftovers.expectNone();
    }
}

TEST_F(ExportTest, AFailedExportKeepsTheFileThatWasThere)
{
    writeFile(out.file("card.bxf"), "the card image of last week");
    ui.file(exportPath("card.bxf"));
    BuildProject project = projectOn(kJeidaCard, 0);
    project.items.push_back(fixture.item("big.prn", kApplicationForm, "BIG", std::string(40 * 1024, 'f')));
    const BuildResult result = run(project, exportOptions(BuildTarget::CardImage));
    EXPECT_FALSE(result.delivered);
    EXPECT_EQ(readFile(out.file("card.bxf")), "the card image of last week");
    EXPECT_EQ(outputFiles(), QStringList{QStringLiteral("card.bxf")});
    leftovers.expectNone();
}

TEST_F(ExportTest, TheCardCapacityMessageSendsToTheHelpFileOnlyWhenItIsThere)
{
    const QString help = QString::fromStdString(files.file("Quorlyn32.html"));
    EXPECT_EQ(cardCapacityText(help), qrl::text(9020));
    writeFile(help.toStdString(), "<html></html>");
    EXPECT_EQ(cardCapacityText(help), qrl::text(2222));
    EXPECT_EQ(cardCapacityText({}), qrl::text(9020));
    // The same message, short of its last sentence.
    EXPECT_TRUE(qrl::text(2222).startsWith(qrl::text(9020) + QStringLiteral("\n\n\nConsult the help file")));

    // A build hands the dialog's help file on to the message.
    ui.file(exportPath("card.bxf"));
    BuildOptions options = exportOptions(BuildTarget::CardImage);
    options.helpFilePath = help;
    BuildProject project = projectOn(kJeidaCard, 18);
    EXPECT_FALSE(run(project, options).delivered);
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2222)});
}

} // namespace
