// The controls of the bitmap-to-macro dialog and its layouts per image type.
#include "BitmaptoMacroDlg.h"
#include "ToolsTextIds.h"

#include "StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

namespace {

constexpr int kPreviewSize = 120;

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* buddyLabel(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void BitmaptoMacroDlg::createControls()
{
    m_sourcePath = named(new QLabel(this), "sourcePathLabel");
    m_imageGroup =
        named(new QGroupBox(QStringLiteral("The file appears to be a Bitmap file"), this), "imageGroup");
    m_preview = named(new QLabel(m_imageGroup), "previewLabel");
    m_preview->setFixedSize(kPreviewSize, kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_info = named(new QLabel(m_imageGroup), "infoLabel");
    m_info->hide();

    auto* groupColumns = new QHBoxLayout;
    groupColumns->addWidget(createMacroSettings());
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(m_preview, 0, Qt::AlignHCenter);
    rightColumn->addWidget(createPictureGroup());
    groupColumns->addLayout(rightColumn);
    auto* groupLayout = new QVBoxLayout(m_imageGroup);
    groupLayout->addLayout(groupColumns);
    groupLayout->addWidget(m_info);

    auto* add = named(new QPushButton(QStringLiteral("Add &to Project"), this), "addButton");
    add->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton");
    connect(add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sourcePath);
    layout->addWidget(m_imageGroup);
    layout->addWidget(createFileGroup());
    layout->addLayout(buttons);
}

QWidget* BitmaptoMacroDlg::createMacroSettings()
{
    auto* group = named(new QGroupBox(QStringLiteral("Macro settings"), this), "macroSettingsGroup");
    m_macroName = named(new QLineEdit(group), "macroNameEdit");
    m_macroName->setMaxLength(BitmapToMacroForm::kMaxMacroName);
    m_colour = named(new QCheckBox(QStringLiteral("Create color &raster data\n for Color Printer"), group),
                     "colourCheck");
    m_unit = named(new QComboBox(group), "unitCombo");
    m_unit->addItems(qrl::bitmapmacro::unitTexts());
    m_resolution = named(new QComboBox(group), "resolutionCombo");
    m_resolution->addItems(qrl::bitmapmacro::resolutionTexts());
    m_bitmapOnly.append(m_colour);

    m_position = named(new QCheckBox(QStringLiteral("Position"), group), "positionCheck");
    m_positionX = named(new QLineEdit(group), "positionXEdit");
    m_positionY = named(new QLineEdit(group), "positionYEdit");
    auto* position = new QGridLayout;
    position->addWidget(m_position, 0, 0, 1, 3);
    int row = 1;
    for (auto [text, edit, name] : {std::tuple{"Position &X", m_positionX, "positionXUnit"},
                                    std::tuple{"Position &Y", m_positionY, "positionYUnit"}}) {
        edit->setMaxLength(BitmapToMacroForm::kMaxNumberEntry);
        auto* unit = named(new QLabel(group), name);
        m_unitLabels.append(unit);
        position->addWidget(buddyLabel(text, edit, group), row, 0);
        position->addWidget(edit, row, 1);
        position->addWidget(unit, row, 2);
        ++row;
    }

    m_orientation = named(new QCheckBox(QStringLiteral("Orientation"), group), "orientationCheck");
    m_portrait = named(new QCheckBox(QStringLiteral("&Portrait"), group), "portraitCheck");
    m_landscape = named(new QCheckBox(QStringLiteral("&Landscape"), group), "landscapeCheck");
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);

    auto* layout = new QGridLayout(group);
    layout->addWidget(buddyLabel("Macro &Name", m_macroName, group), 0, 0);
    layout->addWidget(m_macroName, 0, 1);
    layout->addWidget(m_colour, 1, 0, 1, 2);
    layout->addWidget(buddyLabel("&Unit", m_unit, group), 2, 0);
    layout->addWidget(m_unit, 2, 1);
    layout->addWidget(buddyLabel("Raster\nR&esolution", m_resolution, group), 3, 0);
    layout->addWidget(m_resolution, 3, 1);
    layout->addLayout(position, 4, 0, 1, 2);
    layout->addWidget(m_orientation, 5, 0, 1, 2);
    layout->addLayout(orientation, 6, 0, 1, 2);

    connect(m_position, &QCheckBox::toggled, this, [this] { applyPositionFlag(); });
    connect(m_orientation, &QCheckBox::toggled, this, [this] { applyOrientationFlag(); });
    connect(m_portrait, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            m_landscape->setChecked(false);
    });
    connect(m_landscape, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            m_portrait->setChecked(false);
    });
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this] { showPrintedSize(); });
    connect(m_resolution, &QComboBox::currentIndexChanged, this, [this] { showPrintedSize(); });
    return group;
}

QWidget* BitmaptoMacroDlg::createPictureGroup()
{
    auto* group =
        named(new QGroupBox(QStringLiteral("The dimension of picture on printout"), this), "pictureGroup");
    m_outputWidth = named(new QLabel(group), "outputWidthLabel");
    m_outputHeight = named(new QLabel(group), "outputHeightLabel");
    m_outputWidthEdit = named(new QLineEdit(group), "outputWidthEdit");
    m_outputHeightEdit = named(new QLineEdit(group), "outputHeightEdit");
    m_pixelWidth = named(new QLabel(group), "pixelWidthLabel");
    m_pixelHeight = named(new QLabel(group), "pixelHeightLabel");
    m_resolutionX = named(new QLabel(group), "resolutionXLabel");
    m_resolutionY = named(new QLabel(group), "resolutionYLabel");
    m_bitmapOnly << m_outputWidth << m_outputHeight;

    auto* layout = new QGridLayout(group);
    int row = 0;
    for (auto [text, value, edit, unitName] :
         {std::tuple{"Output &Width", m_outputWidth, m_outputWidthEdit, "outputWidthUnit"},
          std::tuple{"Output &Height", m_outputHeight, m_outputHeightEdit, "outputHeightUnit"}}) {
        edit->setMaxLength(BitmapToMacroForm::kMaxNumberEntry);
        edit->hide();
        auto* unit = named(new QLabel(group), unitName);
        m_unitLabels.append(unit);
        layout->addWidget(buddyLabel(text, edit, group), row, 0);
        layout->addWidget(value, row, 1);
        layout->addWidget(edit, row, 1);
        layout->addWidget(unit, row, 2);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { onNumberEdited(edit); });
        ++row;
    }
    for (auto [text, value] :
         {std::pair{"Width", m_pixelWidth}, std::pair{"Height", m_pixelHeight},
          std::pair{"X-Resolution", m_resolutionX}, std::pair{"Y-Resolution", m_resolutionY}}) {
        auto* label = new QLabel(QString::fromLatin1(text), group);
        m_bitmapOnly << label << value;
        layout->addWidget(label, row, 0);
        layout->addWidget(value, row, 1);
        ++row;
    }
    for (QLineEdit* edit : {m_positionX, m_positionY})
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { onNumberEdited(edit); });
    return group;
}

QWidget* BitmaptoMacroDlg::createFileGroup()
{
    auto* group = named(new QGroupBox(QStringLiteral("Save macro file &as:"), this), "macroFileGroup");
    m_macroFile = named(new QLineEdit(group), "macroFileEdit");
    m_macroFile->setMaxLength(BitmapToMacroForm::kMaxMacroFilePath);
    auto* save = named(new QPushButton(QStringLiteral("&Save macro..."), group), "saveMacroButton");
    connect(save, &QPushButton::clicked, this, &BitmaptoMacroDlg::onSaveMacro);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_macroFile, 1);
    layout->addWidget(save);
    return group;
}

void BitmaptoMacroDlg::applyImageLayout()
{
    if (m_form.imageType == BitmapToMacroForm::kBmp) {
        const QImage image(m_form.sourcePath);
        if (!image.isNull())
            m_preview->setPixmap(QPixmap::fromImage(
                image.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        return;
    }
    const bool jpeg = m_form.imageType == BitmapToMacroForm::kJpeg;
    setWindowTitle(qrl::text(jpeg ? qrl::ids::kJpegToMacroTitle : qrl::ids::kTiffToMacroTitle));
    m_imageGroup->setTitle(qrl::text(jpeg ? qrl::ids::kLooksLikeJpeg : qrl::ids::kLooksLikeTiff));
    for (QWidget* widget : m_bitmapOnly)
        widget->hide();
    m_preview->hide();
    m_outputWidthEdit->show();
    m_outputHeightEdit->show();
    m_info->setText(qrl::text(qrl::ids::kMacroSizeInfo));
    m_info->show();
}
