// The bitmap-to-macro dialog: what it shows per image type, its widgets mapped to the form, OK
// blocked by every refusal, "&Save macro..." through the raster library, the placement.
#include "BitmaptoMacroDlg.h"

#include "BitmapImages.h"
#include "BitmapToMacroHeader.h"
#include "BmpBuilder.h"
#include "FileMessages.h"
#include "ProjectTestSupport.h"
#include "Screenshot.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

class BitmapDlgTest : public qrl::test::ProjectTest {
protected:
    // Opens the dialog as the add road does, for an image file of the given bytes.
    void open(int imageType, const std::string& bytes, const char* name = "picture.bmp")
    {
        CQuorlyn32Doc::BitmapToMacroRequest request;
        request.path = makeFile(name, bytes);
        request.imageType = imageType;
        BitmapToMacroForm form = qrl::bitmapmacro::openingForm(request, qrl::context().directories.macros);
        ASSERT_EQ(qrl::bitmapmacro::readImageHeader(form), 0);
        dlg = std::make_unique<BitmaptoMacroDlg>(form, &doc);
    }
    template <typename T>
    T* find(const char* name) const
    {
        T* w = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    // Fills the entries so that OK passes.
    void fillGood()
    {
        edit("macroNameEdit")->setText(QStringLiteral("logo"));
        edit("macroFileEdit")->setText(dirPath() + QStringLiteral("/logo.mcr"));
    }
    bool accepted() const { return dlg->result() == QDialog::Accepted; }

    qrl::test::CheckedDoc doc;
    std::unique_ptr<BitmaptoMacroDlg> dlg;
};

std::string squareBmp()
{
    qrl::test::BmpImage image;
    image.width = 100;
    image.height = 100;
    image.bitCount = 1;
    image.palette = {0x000000, 0xFFFFFF};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            image.pixels.push_back(((x / 10 + y / 10) % 2) ? 1u : 0u);
    return qrl::test::encodeBmp(image);
}

TEST_F(BitmapDlgTest, ABitmapOpensWithItsSizesAndFollowsUnitAndResolution)
{
    open(1, squareBmp());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Convert Bitmap to Tellurade macro"));
    EXPECT_EQ(find<QGroupBox>("imageGroup")->title(), QStringLiteral("The file appears to be a Bitmap file"));
    EXPECT_EQ(label("pixelWidthLabel"), QStringLiteral("100"));
    EXPECT_EQ(label("outputWidthLabel"), QStringLiteral("3.39"));
    EXPECT_EQ(label("outputHeightLabel"), QStringLiteral("3.39"));
    EXPECT_EQ(label("positionXUnit"), QStringLiteral("cm"));
    EXPECT_EQ(edit("macroFileEdit")->text(), dirPath() + QStringLiteral("/picture.mcr"));
    EXPECT_EQ(label("sourcePathLabel"), dirPath() + QStringLiteral("/picture.bmp"));
    EXPECT_FALSE(edit("positionXEdit")->isEnabled());
    EXPECT_FALSE(check("portraitCheck")->isEnabled());
    EXPECT_TRUE(edit("outputWidthEdit")->isHidden());
    EXPECT_FALSE(find<QLabel>("previewLabel")->pixmap().isNull());
    dlg->show();
    qrl::test::saveScreenshot(dlg.get(), QStringLiteral("bitmap-to-macro-bmp.png"));

    find<QComboBox>("unitCombo")->setCurrentIndex(BitmapToMacroForm::kDots);
    find<QComboBox>("resolutionCombo")->setCurrentIndex(5);
    EXPECT_EQ(label("outputWidthLabel"), QStringLiteral("100.00"));
    EXPECT_EQ(label("outputHeightUnit"), QStringLiteral("dots"));
    find<QComboBox>("unitCombo")->setCurrentIndex(BitmapToMacroForm::kInches);
    find<QComboBox>("resolutionCombo")->setCurrentIndex(4);
    EXPECT_EQ(label("outputWidthLabel"), QStringLiteral("0.33"));
    EXPECT_EQ(label("positionYUnit"), QStringLiteral("inches"));
}

TEST_F(BitmapDlgTest, JpegAndTiffLayoutsLetTheSizeBeTyped)
{
    const struct {
        int type;
        std::string bytes;
        int title;
        int caption;
    } layouts[] = {{2, qrl::test::jfifJpeg(300), 2470, 2472}, {3, qrl::test::littleEndianTiff(), 2473, 2474}};
    for (const auto& l : layouts) {
        open(l.type, l.bytes, "picture.img");
        EXPECT_EQ(dlg->windowTitle(), qrl::text(l.title));
        EXPECT_EQ(find<QGroupBox>("imageGroup")->title(), qrl::text(l.caption));
        EXPECT_TRUE(check("colourCheck")->isHidden());
        EXPECT_TRUE(find<QLabel>("outputWidthLabel")->isHidden());
        EXPECT_TRUE(find<QLabel>("resolutionXLabel")->isHidden());
        EXPECT_FALSE(edit("outputWidthEdit")->isHidden());
        EXPECT_FALSE(find<QLabel>("infoLabel")->isHidden());
        EXPECT_EQ(label("infoLabel"), qrl::text(2471));
    }
    dlg->show();
    qrl::test::saveScreenshot(dlg.get(), QStringLiteral("bitmap-to-macro-tiff.png"));

    // A width alone is no size: the macro is sized when it is called.
    fillGood();
    edit("outputWidthEdit")->setText(QStringLiteral("4"));
    dlg->accept();
    ASSERT_TRUE(accepted());
    EXPECT_EQ(dlg->macroRequest().width, QStringLiteral("%1"));
    EXPECT_EQ(dlg->macroRequest().colour, 1);
    EXPECT_EQ(dlg->macroRequest().imageType, 3);
}

TEST_F(BitmapDlgTest, WidgetsMapToTheFormAndOkHandsTheResults)
{
    open(1, qrl::test::monochromeBmp());
    fillGood();
    check("colourCheck")->setChecked(true);
    find<QComboBox>("unitCombo")->setCurrentIndex(BitmapToMacroForm::kInches);
    find<QComboBox>("resolutionCombo")->setCurrentIndex(3);
    check("positionCheck")->setChecked(true);
    EXPECT_TRUE(edit("positionXEdit")->isEnabled());
    edit("positionXEdit")->setText(QStringLiteral("1,5"));
    edit("positionYEdit")->setText(QStringLiteral("2"));
    check("orientationCheck")->setChecked(true);
    check("portraitCheck")->click();
    check("landscapeCheck")->click();
    EXPECT_FALSE(check("portraitCheck")->isChecked());

    const BitmapToMacroForm form = dlg->form();
    EXPECT_EQ(form.macroName, QStringLiteral("logo"));
    EXPECT_EQ(form.colourFlag, 1);
    EXPECT_EQ(form.unitIndex, BitmapToMacroForm::kInches);
    EXPECT_EQ(form.resolutionIndex, 3);
    EXPECT_EQ(form.positionFlag, 1);
    EXPECT_EQ(form.positionXText, QStringLiteral("1,5"));
    EXPECT_EQ(form.landscapeFlag, 1);

    find<QPushButton>("addButton")->click();
    ASSERT_TRUE(accepted());
    const CQuorlyn32Doc::BitmapToMacroRequest& r = dlg->macroRequest();
    EXPECT_EQ(r.path, dirPath() + QStringLiteral("/logo.mcr"));
    EXPECT_EQ(r.macroName, QStringLiteral("LOGO"));
    EXPECT_EQ(r.resolution, QStringLiteral("200"));
    EXPECT_EQ(r.unit, QStringLiteral("Inches"));
    EXPECT_EQ(r.positionX, QStringLiteral("1.5"));
    EXPECT_EQ(r.positionY, QStringLiteral("2"));
    EXPECT_EQ(r.width, QStringLiteral("%1"));
    EXPECT_EQ(r.orientation, 2);
    EXPECT_EQ(r.colour, 1);
    EXPECT_FALSE(QFile::exists(r.path)); // OK writes no file
    EXPECT_TRUE(profile.contains(QString::fromLatin1(BitmaptoMacroDlg::kPlacementSection),
                                 QStringLiteral("WinPlacement")));
    EXPECT_TRUE(ui.shown().isEmpty());
}

TEST_F(BitmapDlgTest, EveryRefusalKeepsTheDialogOpen)
{
    ResourceKind macroKind = kKindFont;
    ASSERT_TRUE(doc.AddFile(makeFile("used.mcr", "!R!MCRO USED;ENDM;EXIT;"), macroKind));
    const struct {
        const char* name;
        std::function<void()> change;
        QString message;
    } cases[] = {
        {"no name", [this] { edit("macroNameEdit")->clear(); }, qrl::text(2378)},
        {"name in project", [this] { edit("macroNameEdit")->setText(QStringLiteral("used")); },
         qrl::text(3013)},
        {"file in project",
         [this] { edit("macroFileEdit")->setText(dirPath() + QStringLiteral("/USED.mcr")); },
         qrl::text(3014)},
        {"relative file", [this] { edit("macroFileEdit")->setText(QStringLiteral("logo.mcr")); },
         qrl::text(3012)},
        {"too big",
         [this] {
             check("positionCheck")->setChecked(true);
             edit("positionXEdit")->setText(QStringLiteral("42"));
         },
         QStringLiteral("Too big value.\r\nPlease check the value")},
    };
    for (const auto& c : cases) {
        open(1, qrl::test::monochromeBmp());
        fillGood();
        ui.clear();
        c.change();
        dlg->accept();
        EXPECT_FALSE(accepted()) << c.name;
        EXPECT_EQ(ui.texts(), QStringList{c.message}) << c.name;
    }
}

TEST_F(BitmapDlgTest, NumberEntriesRefuseLettersAsTheyAreTyped)
{
    open(2, qrl::test::jfifJpeg(300), "picture.jpg");
    check("positionCheck")->setChecked(true);
    edit("positionXEdit")->setText(QStringLiteral("1a"));
    edit("outputHeightEdit")->setText(QStringLiteral("2,5"));
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(3041)});
    EXPECT_TRUE(edit("positionXEdit")->text().isEmpty());
    EXPECT_EQ(edit("outputHeightEdit")->text(), QStringLiteral("2,5"));
}

TEST_F(BitmapDlgTest, AnExistingMacroFileIsOnlyReplacedAfterTheQuestion)
{
    open(1, qrl::test::monochromeBmp());
    fillGood();
    const QString macro = makeFile("logo.mcr", "earlier");
    ui.answer(qrl::Answer::Cancel);
    dlg->accept();
    EXPECT_FALSE(accepted());
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].buttons, qrl::Buttons::OkCancel);
    EXPECT_EQ(ui.shown()[0].text, QStringLiteral("Macro file name: ") + macro +
                                      QStringLiteral("\r\n\r\nFile is already available. Overwrite?"));
    ui.answer(qrl::Answer::Ok);
    dlg->accept();
    EXPECT_TRUE(accepted());
    EXPECT_EQ(qrl::test::readFile(macro.toStdString()), "earlier");
}

TEST_F(BitmapDlgTest, SaveMacroWritesTheFileAndStaysOpen)
{
    open(1, qrl::test::paletteBmp(2));
    fillGood();
    const QString chosen = dirPath() + QStringLiteral("/saved.mcr");
    ui.file(chosen);
    find<QPushButton>("saveMacroButton")->click();
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2460)});
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.dialogs()[0].request.fileName, dirPath() + QStringLiteral("/logo.mcr"));
    EXPECT_EQ(ui.dialogs()[0].request.defaultSuffix, QStringLiteral("mcr"));
    EXPECT_EQ(ui.dialogs()[0].request.filter, qrl::text(2300));
    EXPECT_EQ(edit("macroFileEdit")->text(), chosen);
    EXPECT_EQ(qrl::test::readFile(chosen.toStdString()).rfind("!R!MCRO LOGO;", 0), 0u);
    EXPECT_NE(dlg->result(), QDialog::Accepted);

    // A two-colour image makes no colour macro: the library's reason, then the failure.
    ui.clear();
    check("colourCheck")->setChecked(true);
    ui.file(dirPath() + QStringLiteral("/colour.mcr"));
    find<QPushButton>("saveMacroButton")->click();
    ASSERT_EQ(ui.texts().size(), 2);
    EXPECT_TRUE(ui.texts()[0].contains(qrl::text(2388)));
    EXPECT_EQ(ui.texts()[1], qrl::text(2461));
    EXPECT_FALSE(QFile::exists(dirPath() + QStringLiteral("/colour.mcr")));
}

TEST_F(BitmapDlgTest, AMacroFileThatIsTheImageIsRefusedAndTheImageKept)
{
    const std::string jpeg = qrl::test::jfifJpeg(300);
    open(2, jpeg, "picture.jpg");
    dlg->show();
    const QString image = dirPath() + QStringLiteral("/picture.jpg");
    QDir(dirPath()).mkdir(QStringLiteral("sub"));
    QFile::link(image, dirPath() + QStringLiteral("/link.mcr"));
    const QString spellings[] = {image, dirPath() + QStringLiteral("/link.mcr"),
                                 dirPath() + QStringLiteral("/sub/../picture.jpg")};
    for (const QString& spelling : spellings) {
        SCOPED_TRACE(spelling.toStdString());
        ui.clear();
        edit("macroNameEdit")->setText(QStringLiteral("logo"));
        edit("macroFileEdit")->setText(spelling);
        find<QPushButton>("addButton")->click();
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(ui.texts(), QStringList{qrl::text(9080)});
        if (spelling == spellings[0])
            qrl::test::saveScreenshot(dlg.get(), QStringLiteral("bitmap-to-macro-file-is-image.png"));

        // The file chosen in the save dialog passes the same check.
        ui.clear();
        edit("macroFileEdit")->setText(dirPath() + QStringLiteral("/logo.mcr"));
        ui.file(spelling);
        find<QPushButton>("saveMacroButton")->click();
        EXPECT_EQ(ui.texts(), (QStringList{qrl::text(9080), qrl::text(2461)}));
        EXPECT_EQ(qrl::test::readFile(image.toStdString()), jpeg);
    }
    EXPECT_TRUE(QFileInfo(dirPath() + QStringLiteral("/link.mcr")).isSymLink());
}

TEST_F(BitmapDlgTest, AnUnreadableHeaderEndsBeforeTheDialog)
{
    CQuorlyn32Doc::BitmapToMacroRequest request;
    request.path = makeFile("short.jpg", qrl::test::jfifJpeg(300).substr(0, 20));
    request.imageType = 2;
    const QString section = QString::fromLatin1(BitmaptoMacroDlg::kPlacementSection);
    const QString placement = profile.getString(section, QStringLiteral("WinPlacement"));
    EXPECT_FALSE(BitmaptoMacroDlg::run(nullptr, doc, request));
    EXPECT_EQ(ui.texts(), QStringList{fileMessageText(2400, 2430, 2401, request.path)});
    EXPECT_EQ(profile.getString(section, QStringLiteral("WinPlacement")), placement);
}

} // namespace
