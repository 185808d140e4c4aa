// The build dialog: its controls map to the build's options, each target lays them out and
// writes its medium back, and a build that is refused before it starts keeps the dialog open.
#include "CBuildDlg.h"

#include "BuildDocument.h"
#include "BuildTestProject.h"
#include "ExportFile.h"

#include "RecordingSpooler.h"
#include "ScriptedUserInterface.h"
#include "StringTable.h"
#include "TempCwd.h"
#include "TestEnvironment.h"
#include "TextFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace qrl::build;

namespace {

class FakeDocument : public BuildDocument {
public:
    BuildProject buildProject() const override { return project; }
    void takeSettings(const CProjSett& settings, bool changed) override
    {
        project.settings.m_medium = settings.m_medium;
        project.settings.m_extraSettings = settings.m_extraSettings;
        project.settings.m_storageSizeIndex = settings.m_storageSizeIndex;
        modified = modified || changed;
    }

    BuildProject project;
    bool modified = false;
};

class BuildDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spooler.addPrinter("fs", "usb://Zentrix/FS-1");
        spooler.addPrinter("lp2", "socket://printer.example:9100");
        spooler.setDefaultPrinter("fs");
        document.project = fixture.cardProject();
    }

    template <typename W>
    W* child(CBuildDlg& dialog, const char* name)
    {
        W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString text(CBuildDlg& dialog, const char* name) { return child<QLabel>(dialog, name)->text(); }
    bool shown(CBuildDlg& dialog, const char* name) { return !child<QWidget>(dialog, name)->isHidden(); }

    // Saves a picture of the dialog when QUORLYN_SCREENSHOT_DIR names a folder.
    static void screenshot(QWidget& widget, const QString& name)
    {
        const QString dir = qEnvironmentVariable("QUORLYN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        widget.adjustSize();
        widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    qrl::test::ScopedProfile profile;
    qrl::test::ScriptedUserInterface ui;
    qrl::test::TempDirectory files;
    qrl::test::BuildFixture fixture{files.path()};
    qrl::RecordingSpooler spooler;
    FakeDocument document;
};

} // namespace

TEST_F(BuildDlgTest, OpensOnTheProjectsTargetWithFileAndThePrinters)
{
    profile.setString(QStringLiteral("Build"), QStringLiteral("Printer"), QStringLiteral("lp2"));
    CBuildDlg dialog(document, nullptr, &spooler);
    auto* printers = child<QComboBox>(dialog, "printerCombo");
    ASSERT_EQ(printers->count(), 3);
    EXPECT_EQ(printers->itemText(0), QStringLiteral("FILE:"));
    EXPECT_EQ(printers->currentText(), QStringLiteral("lp2"));
    EXPECT_EQ(text(dialog, "portText"), QStringLiteral("socket://printer.example:9100"));
    EXPECT_EQ(child<QPushButton>(dialog, "buildButton")->text(), QStringLiteral("Send to &printer"));
    EXPECT_EQ(child<QComboBox>(dialog, "targetCombo")->currentIndex(), 0);
    EXPECT_EQ(text(dialog, "cardTypeText"), QStringLiteral("Compact"));
    EXPECT_EQ(text(dialog, "capacityText"), QStringLiteral("128 MB"));
    EXPECT_FALSE(child<QPushButton>(dialog, "configureButton")->isEnabled());
    EXPECT_FALSE(document.modified);

    printers->setCurrentIndex(0);
    EXPECT_EQ(text(dialog, "portText"), QStringLiteral("FILE:"));
    EXPECT_EQ(child<QPushButton>(dialog, "buildButton")->text(), QStringLiteral("&Write to file..."));
    screenshot(dialog, QStringLiteral("build-target-card"));
    dialog.reject();
    EXPECT_EQ(profile.getString(QStringLiteral("Build"), QStringLiteral("Printer")), QStringLiteral("FILE:"));
    EXPECT_EQ(profile.getInt(QStringLiteral("Build"), QStringLiteral("BuildMsgOptions"), 0), 30);
}

TEST_F(BuildDlgTest, EachTargetLaysOutItsControlsAndWritesItsMedium)
{
    struct Case {
        int target;
        StorageMedium medium;
        bool format, printer, card, exportFormats;
        const char* buildText;
    };
    const Case cases[] = {
        {2, kEprom, false, false, false, true, "&Write to file..."},
        {1, kHardDisk, true, true, false, false, "Send to &printer"},
        {3, kJeidaCard, false, false, true, false, "&Write to file..."},
        {0, kJeidaCard, true, true, true, false, "Send to &printer"},
    };
    CBuildDlg dialog(document, nullptr, &spooler);
    auto* targets = child<QComboBox>(dialog, "targetCombo");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        targets->setCurrentIndex(c.target);
        EXPECT_EQ(document.project.settings.m_medium, c.medium);
        EXPECT_EQ(shown(dialog, "formatCheck"), c.format);
        EXPECT_EQ(shown(dialog, "printerCombo"), c.printer);
        EXPECT_EQ(shown(dialog, "tarnwickCheck"), c.printer);
        EXPECT_EQ(shown(dialog, "cardTypeText"), c.card);
        EXPECT_EQ(shown(dialog, "exportFormatBox"), c.exportFormats);
        EXPECT_EQ(child<QPushButton>(dialog, "buildButton")->text(), QString::fromLatin1(c.buildText));
        screenshot(dialog, QStringLiteral("build-target-%1").arg(c.target));
    }
    EXPECT_TRUE(document.modified);
    targets->setCurrentIndex(1);
    EXPECT_EQ(child<QCheckBox>(dialog, "formatCheck")->text(),
              QStringLiteral("&Format hard disk / micro drive "));
    EXPECT_EQ(document.project.settings.m_extraSettings, 4);
}

TEST_F(BuildDlgTest, TheTargetListAndFormatButtonsShowEachOutputFormInOrder)
{
    CBuildDlg dialog(document, nullptr, &spooler);
    dialog.show();
    auto* targets = child<QComboBox>(dialog, "targetCombo");
    const QStringList targetTexts = {
        QStringLiteral("Card in printer"), QStringLiteral("Hard Disk / Micro Drive in printer"),
        QStringLiteral("Export File for EPROM"), QStringLiteral("Export File for JEIDA (PCMCIA) Card")};
    ASSERT_EQ(targets->count(), targetTexts.size());
    for (int i = 0; i < targets->count(); ++i)
        EXPECT_EQ(targets->itemText(i), targetTexts[i]);
    targets->setFocus();
    for (int step = 0; step < 4 && targets->currentIndex() != indexOf(BuildTarget::Eprom); ++step)
        QTest::keyClick(targets, Qt::Key_Down);
    ASSERT_EQ(dialog.options().target, BuildTarget::Eprom);
    const struct {
        const char* text;
        ExportFormat format;
    } buttons[] = {{"Motorola S3 &hex output", ExportFormat::Hex},
                   {"Motorola bin&ary output", ExportFormat::MotorolaBinary},
                   {"&Intel binary output", ExportFormat::IntelBinary}};
    for (int i = 0; i < 3; ++i) {
        auto* radio =
            child<QRadioButton>(dialog, QStringLiteral("exportFormat%1").arg(i).toLatin1().constData());
        EXPECT_EQ(radio->text(), QString::fromLatin1(buttons[i].text));
        // On the button itself: a short text leaves the middle of a wide row outside it.
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->height() / 2, radio->height() / 2));
        EXPECT_EQ(dialog.options().exportFormat, buttons[i].format) << i;
    }
    screenshot(dialog, QStringLiteral("build-eprom-forms"));
}

TEST_F(BuildDlgTest, ControlsMapToTheOptions)
{
    profile.setInt(QStringLiteral("Build"), QStringLiteral("bTarnwick"), 1);
    profile.setInt(QStringLiteral("Build"), QStringLiteral("CFWriteProtection"), 2);
    CBuildDlg dialog(document, nullptr, &spooler);
    EXPECT_TRUE(child<QCheckBox>(dialog, "tarnwickCheck")->isChecked());
    child<QCheckBox>(dialog, "formatCheck")->setChecked(true);
    child<QCheckBox>(dialog, "ignoreProtectionCheck")->setChecked(true);
    child<QCheckBox>(dialog, "protectAfterCheck")->setChecked(true);
    child<QComboBox>(dialog, "printerCombo")->setCurrentIndex(1);
    const BuildOptions options = dialog.options();
    EXPECT_EQ(options.target, BuildTarget::Card);
    EXPECT_EQ(options.cardType, QStringLiteral("Compact"));
    EXPECT_EQ(options.printerName, QStringLiteral("fs"));
    EXPECT_TRUE(options.format);
    EXPECT_TRUE(options.ignoreProtection);
    EXPECT_TRUE(options.protectAfter);
    EXPECT_TRUE(options.tarnwick);
    EXPECT_EQ(options.writeProtection, 2);

    child<QComboBox>(dialog, "targetCombo")->setCurrentIndex(2);
    child<QRadioButton>(dialog, "exportFormat2")->setChecked(true);
    EXPECT_EQ(dialog.options().exportFormat, ExportFormat::IntelBinary);
    EXPECT_FALSE(dialog.options().ignoreProtection);
}

TEST_F(BuildDlgTest, CardsWithoutFormattingOrWriteProtection)
{
    // An OTP card cannot be formatted; its write protection is not the job language's.
    document.project.settings.m_medium = kOtpCard;
    CBuildDlg otp(document, nullptr, &spooler);
    EXPECT_EQ(text(otp, "cardTypeText"), QStringLiteral("OTP"));
    EXPECT_FALSE(child<QCheckBox>(otp, "formatCheck")->isEnabled());
    EXPECT_FALSE(otp.options().format);
    EXPECT_FALSE(shown(otp, "ignoreProtectionCheck"));
    EXPECT_FALSE(shown(otp, "protectAfterCheck"));

    // With "CFWriteProtection" 0 a Compact Flash card offers no write-protection boxes either.
    profile.setInt(QStringLiteral("Build"), QStringLiteral("CFWriteProtection"), 0);
    document.project.settings.m_medium = kCompactFlashCard;
    CBuildDlg off(document, nullptr, &spooler);
    EXPECT_FALSE(shown(off, "ignoreProtectionCheck"));
    EXPECT_FALSE(shown(off, "protectAfterCheck"));
}

TEST_F(BuildDlgTest, ARefusedQuestionKeepsTheDialogOpenAndABuildClosesIt)
{
    CBuildDlg dialog(document, nullptr, &spooler);
    dialog.show();
    child<QCheckBox>(dialog, "formatCheck")->setChecked(true);
    ui.answer(qrl::Answer::Cancel);
    child<QPushButton>(dialog, "buildButton")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3031)});

    const std::string prn = files.file("build.prn");
    child<QComboBox>(dialog, "printerCombo")->setCurrentIndex(0);
    ui.clear();
    ui.answer(qrl::Answer::Ok);
    ui.file(QString::fromStdString(prn));
    child<QPushButton>(dialog, "buildButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Project was written to the file."));
    EXPECT_FALSE(qrl::test::readFile(prn).empty());
    EXPECT_TRUE(spooler.jobs().empty());

    QMessageBox box(QMessageBox::Information, qrl::defaultCaption(), ui.texts().last());
    screenshot(box, QStringLiteral("build-result"));
}

TEST_F(BuildDlgTest, ARefusalBeforeTheBuildKeepsTheDialogOpenWithWhatTheUserChose)
{
    struct Row {
        const char* what;
        std::function<void()> change;
        QString message;
    };
    const Row rows[] = {
        {"no items", [this] { document.project.items.clear(); }, qrl::text(2200)},
        {"a quote in a name", [this] { document.project.items[0].record.name = "AB'D"; },
         qrl::formatText(qrl::text(2464), {QStringLiteral("AB'D")})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto kept = document.project;
        row.change();
        ui.clear();
        CBuildDlg dialog(document, nullptr, &spooler);
        dialog.show();
        child<QCheckBox>(dialog, "formatCheck")->setChecked(true);
        child<QPushButton>(dialog, "buildButton")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ui.texts(), QStringList{row.message});
        EXPECT_TRUE(child<QCheckBox>(dialog, "formatCheck")->isChecked());
        document.project = kept;
    }
}

TEST_F(BuildDlgTest, ACardImageTheCardCannotHoldKeepsTheDialogOpenOnItsTarget)
{
    // A JEIDA card of 128 MB has no size code in the card's tuples: the engine refuses the image.
    document.project.settings.m_medium = kJeidaCard;
    document.project.settings.m_storageSizeIndex = 22;
    CBuildDlg dialog(document, nullptr, &spooler);
    dialog.show();
    auto* target = child<QComboBox>(dialog, "targetCombo");
    target->setFocus();
    for (int step = 0; step < 4 && target->currentIndex() != indexOf(BuildTarget::CardImage); ++step)
        QTest::keyClick(target, Qt::Key_Down);
    ASSERT_EQ(target->currentIndex(), indexOf(BuildTarget::CardImage));
    ui.clear();
    ui.file(QString::fromStdString(files.file("card.bxf")));
    QTest::mouseClick(child<QPushButton>(dialog, "buildButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.texts(), QStringList{cardCapacityText({})});
    EXPECT_EQ(target->currentIndex(), indexOf(BuildTarget::CardImage));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(files.file("card.bxf"))));
    screenshot(dialog, QStringLiteral("build-card-image-refused"));
}

TEST_F(BuildDlgTest, ConfigureRunsTheSettingsDialogAndTakesItsCard)
{
    CBuildDlg dialog(document, nullptr, &spooler);
    std::vector<MediaOffer> modes;
    dialog.setConfigure([&](MediaOffer mode) {
        modes.push_back(mode);
        document.project.settings.m_medium = kOtpCard;
        return true;
    });
    auto* configure = child<QPushButton>(dialog, "configureButton");
    ASSERT_TRUE(configure->isEnabled());
    configure->click();
    EXPECT_EQ(modes, std::vector<MediaOffer>{MediaOffer::NoEpromOrDisks});
    EXPECT_EQ(dialog.targetState().cardType, QStringLiteral("OTP"));
    EXPECT_FALSE(child<QCheckBox>(dialog, "formatCheck")->isEnabled());
}

TEST_F(BuildDlgTest, ARetryAfterARefusalBuildsWhatANewDialogBuilds)
{
    // Every press of Build starts from an empty build context: after the card image of 128 MB is
    // refused, another card or another target in the same dialog gives the bytes a new dialog gives.
    struct Row {
        const char* what;
        BuildTarget target;
        std::uint16_t sizeIndex;
        const char* extension;
    };
    const Row rows[] = {
        {"a card image of 20 MB", BuildTarget::CardImage, 14, ".bxf"},
        {"the card to FILE:", BuildTarget::Card, 22, ".prn"},
    };
    const auto chooseTarget = [this](CBuildDlg& dialog, BuildTarget wantedTarget) {
        const int wanted = indexOf(wantedTarget);
        auto* target = child<QComboBox>(dialog, "targetCombo");
        target->setFocus();
        const Qt::Key key = target->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up;
        for (int step = 0; step < 4 && target->currentIndex() != wanted; ++step)
            QTest::keyClick(target, key);
        ASSERT_EQ(target->currentIndex(), wanted);
    };
    const auto build = [&](CBuildDlg& dialog, const Row& row, const std::string& path) {
        chooseTarget(dialog, row.target);
        if (row.target == BuildTarget::Card)
            child<QComboBox>(dialog, "printerCombo")->setCurrentIndex(0);
        ui.clear();
        ui.file(QString::fromStdString(path));
        QTest::mouseClick(child<QPushButton>(dialog, "buildButton"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(ui.texts().contains(qrl::text(2222))) << ui.texts().join(QLatin1Char('|')).toStdString();
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        document.project.settings.m_medium = kJeidaCard;
        document.project.settings.m_storageSizeIndex = 22;
        const std::string retried = files.file(std::string("retried") + row.extension);
        const std::string fresh = files.file(std::string("fresh") + row.extension);
        {
            CBuildDlg dialog(document, nullptr, &spooler);
            dialog.setConfigure([&](MediaOffer) {
                document.project.settings.m_storageSizeIndex = row.sizeIndex;
                return true;
            });
            dialog.show();
            chooseTarget(dialog, BuildTarget::CardImage);
            ui.clear();
            ui.file(QString::fromStdString(files.file("refused.bxf")));
            QTest::mouseClick(child<QPushButton>(dialog, "buildButton"), Qt::LeftButton);
            ASSERT_TRUE(dialog.isVisible());
            ASSERT_EQ(ui.texts(), QStringList{cardCapacityText({})});
            QTest::mouseClick(child<QPushButton>(dialog, "configureButton"), Qt::LeftButton);
            build(dialog, row, retried);
        }
        {
            CBuildDlg dialog(document, nullptr, &spooler);
            dialog.show();
            build(dialog, row, fresh);
        }
        const std::string bytes = qrl::test::readFile(retried);
        EXPECT_GT(bytes.size(), 0U);
        EXPECT_EQ(bytes, qrl::test::readFile(fresh));
    }
}
