#include "BitmaptoMacroDlg.h"

#include "AppContext.h"
#include "BitmapToMacroHeader.h"
#include "DialogPlacement.h"
#include "FileMessages.h"
#include "ProjectTextIds.h"
#include "RasterTextIds.h"
#include "StringTable.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"
#include "UserInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const char* const kOverwriteQuestion = "Macro file name: %s\r\n\r\nFile is already available. Overwrite?";

void setTextQuietly(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

} // namespace

BitmaptoMacroDlg::BitmaptoMacroDlg(const BitmapToMacroForm& form, CQuorlyn32Doc* project, QWidget* parent)
    : QDialog(parent), m_form(form), m_project(project)
{
    setObjectName(QStringLiteral("bitmapToMacroDialog"));
    setWindowTitle(QStringLiteral("Convert Bitmap to Tellurade macro"));
    createControls();
    restorePlacement();
    applyImageLayout();
    showForm();
    m_macroName->setFocus();
}

bool BitmaptoMacroDlg::run(QWidget* parent, CQuorlyn32Doc& project,
                           CQuorlyn32Doc::BitmapToMacroRequest& request)
{
    BitmapToMacroForm form = qrl::bitmapmacro::openingForm(request, qrl::context().directories.macros);
    if (const int error = qrl::bitmapmacro::readImageHeader(form)) {
        ShowFileError(qrl::ids::kFileErrorFormat, error, qrl::ids::kHintNotInserted, form.sourcePath);
        return false;
    }
    BitmaptoMacroDlg dialog(form, &project, qrl::dialogParent(parent));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request = dialog.macroRequest();
    return true;
}

bool BitmaptoMacroDlg::Runner::run(CQuorlyn32Doc& project, CQuorlyn32Doc::BitmapToMacroRequest& request)
{
    return BitmaptoMacroDlg::run(m_parent, project, request);
}

void BitmaptoMacroDlg::showForm()
{
    m_sourcePath->setText(m_form.sourcePath);
    m_macroName->setText(m_form.macroName);
    m_macroFile->setText(m_form.macroFilePath);
    m_colour->setChecked(m_form.colourFlag != 0);
    {
        const QSignalBlocker blockUnit(m_unit);
        const QSignalBlocker blockResolution(m_resolution);
        m_unit->setCurrentIndex(m_form.unitIndex);
        m_resolution->setCurrentIndex(m_form.resolutionIndex);
    }
    m_position->setChecked(m_form.positionFlag != 0);
    setTextQuietly(m_positionX, m_form.positionXText);
    setTextQuietly(m_positionY, m_form.positionYText);
    setTextQuietly(m_outputWidthEdit, m_form.outputWidthEntry);
    setTextQuietly(m_outputHeightEdit, m_form.outputHeightEntry);
    m_orientation->setChecked(m_form.orientationFlag != 0);
    m_portrait->setChecked(m_form.portraitFlag != 0);
    m_landscape->setChecked(m_form.landscapeFlag != 0);
    m_pixelWidth->setText(qrl::formatText(QStringLiteral("%d"), {m_form.pixelWidth}));
    m_pixelHeight->setText(qrl::formatText(QStringLiteral("%d"), {m_form.pixelHeight}));
    m_resolutionX->setText(m_form.resolutionXText);
    m_resolutionY->setText(m_form.resolutionYText);
    showPrintedSize();
    applyPositionFlag();
    applyOrientationFlag();
}

BitmapToMacroForm BitmaptoMacroDlg::form() const
{
    BitmapToMacroForm form = m_form;
    form.macroName = m_macroName->text();
    form.macroFilePath = m_macroFile->text();
    form.colourFlag = m_colour->isChecked() ? 1 : 0;
    form.unitIndex = m_unit->currentIndex();
    form.resolutionIndex = m_resolution->currentIndex();
    form.positionFlag = m_position->isChecked() ? 1 : 0;
    form.positionXText = m_positionX->text();
    form.positionYText = m_positionY->text();
    form.orientationFlag = m_orientation->isChecked() ? 1 : 0;
    form.portraitFlag = m_portrait->isChecked() ? 1 : 0;
    form.landscapeFlag = m_landscape->isChecked() ? 1 : 0;
    form.outputWidthEntry = m_outputWidthEdit->text();
    form.outputHeightEntry = m_outputHeightEdit->text();
    return form;
}

void BitmaptoMacroDlg::showPrintedSize()
{
    const int resolution = m_resolution->currentIndex();
    const int unit = m_unit->currentIndex();
    m_outputWidth->setText(qrl::bitmapmacro::printedLengthText(m_form.pixelWidth, resolution, unit));
    m_outputHeight->setText(qrl::bitmapmacro::printedLengthText(m_form.pixelHeight, resolution, unit));
    for (QLabel* label : m_unitLabels)
        label->setText(qrl::bitmapmacro::unitLabel(unit));
}

void BitmaptoMacroDlg::applyPositionFlag()
{
    const bool on = m_position->isChecked();
    if (!on) {
        setTextQuietly(m_positionX, QString());
        setTextQuietly(m_positionY, QString());
    }
    m_positionX->setEnabled(on);
    m_positionY->setEnabled(on);
}

void BitmaptoMacroDlg::applyOrientationFlag()
{
    const bool on = m_orientation->isChecked();
    if (!on) {
        m_portrait->setChecked(false);
        m_landscape->setChecked(false);
    }
    m_portrait->setEnabled(on);
    m_landscape->setEnabled(on);
}

void BitmaptoMacroDlg::onNumberEdited(QLineEdit* edit)
{
    if (qrl::bitmapmacro::isNumberEntry(edit->text()))
        return;
    qrl::ui().message(qrl::text(qrl::ids::kNotANumber), qrl::Buttons::Ok, qrl::Icon::Warning);
    setTextQuietly(edit, QString());
}

bool BitmaptoMacroDlg::validate(BitmapToMacroForm& form)
{
    const auto refusal = qrl::bitmapmacro::checkForm(form, m_project);
    // The checks' corrections stay in the entries whether or not they passed.
    m_form = form;
    m_macroName->setText(form.macroName);
    setTextQuietly(m_positionX, form.positionXText);
    setTextQuietly(m_positionY, form.positionYText);
    setTextQuietly(m_outputWidthEdit, form.outputWidthEntry);
    setTextQuietly(m_outputHeightEdit, form.outputHeightEntry);
    if (refusal)
        focus(refusal->focus);
    return !refusal;
}

void BitmaptoMacroDlg::focus(BitmapToMacroRefusal::Focus field)
{
    using Focus = BitmapToMacroRefusal::Focus;
    switch (field) {
    case Focus::MacroName:
        m_macroName->setFocus();
        break;
    case Focus::MacroFile:
        m_macroFile->setFocus();
        break;
    case Focus::PositionX:
        m_positionX->setFocus();
        break;
    case Focus::PositionY:
        m_positionY->setFocus();
        break;
    case Focus::OutputWidth:
        m_outputWidthEdit->setFocus();
        break;
    case Focus::OutputHeight:
        m_outputHeightEdit->setFocus();
        break;
    }
}

void BitmaptoMacroDlg::onSaveMacro()
{
    BitmapToMacroForm current = form();
    if (!validate(current))
        return;
    qrl::FileDialogRequest request;
    request.filter = qrl::text(qrl::ids::kMacroFileFilter);
    request.defaultSuffix = QStringLiteral("mcr");
    request.fileName = current.macroFilePath;
    request.directory = qrl::context().directories.macros;
    request.overwritePrompt = true;
    const std::optional<QString> chosen = qrl::ui().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    current.macroFilePath = *chosen;
    m_form.macroFilePath = *chosen;
    m_macroFile->setText(*chosen);
    // The chosen file passes the same checks as the typed one before anything is written.
    const bool written =
        qrl::bitmapmacro::checkMacroFilePath(current.macroFilePath, m_project) &&
        qrl::bitmapmacro::checkMacroFileIsNotImage(current.macroFilePath, current.sourcePath) &&
        qrl::bitmapmacro::probeFolderOrTell(current.macroFilePath) &&
        qrl::bitmapmacro::createMacroFile(current.sourcePath, qrl::bitmapmacro::toRequest(current));
    qrl::ui().message(qrl::text(written ? qrl::ids::kMacroFileCreated : qrl::ids::kMacroFileNotCreated),
                      qrl::Buttons::Ok, written ? qrl::Icon::Information : qrl::Icon::Warning);
}

void BitmaptoMacroDlg::accept()
{
    BitmapToMacroForm current = form();
    if (!validate(current))
        return;
    if (QFileInfo::exists(current.macroFilePath)) {
        const QString question =
            qrl::formatText(QString::fromLatin1(kOverwriteQuestion), {current.macroFilePath});
        if (qrl::ui().message(question, qrl::Buttons::OkCancel, qrl::Icon::Information) != qrl::Answer::Ok)
            return;
    }
    m_result = qrl::bitmapmacro::toRequest(current);
    savePlacement();
    QDialog::accept();
}

void BitmaptoMacroDlg::reject()
{
    savePlacement();
    QDialog::reject();
}

void BitmaptoMacroDlg::restorePlacement()
{
    qrl::restoreDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}

void BitmaptoMacroDlg::savePlacement() const
{
    qrl::saveDialogPlacement(this, QString::fromLatin1(kPlacementSection));
}
