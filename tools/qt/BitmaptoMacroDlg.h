#pragma once

#include "BitmapToMacroCall.h"
#include "BitmapToMacroCheck.h"
#include "BitmapToMacroForm.h"
#include "SettingsKeys.h"

#include <QDialog>

class CQuorlyn32Doc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Convert Bitmap to Tellurade macro": the parameters under which an image becomes a Tellurade
// macro. The dialog edits a BitmapToMacroForm; "Add &to Project" answers Accepted only after the
// checks passed, with the caller's values in result(), and writes no file; "&Save macro..." writes
// the macro at once through the raster library and stays open. The placement is kept in the
// profile section "Bitmap To Macro" (restored unless the program's version changed, saved on OK
// and on Cancel).
class BitmaptoMacroDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kBitmapToMacroSection;

    // Shows `form` (its image type picks the layout). `project` (may be null) is the project the
    // macro is meant for: its macro names and files are refused.
    BitmaptoMacroDlg(const BitmapToMacroForm& form, CQuorlyn32Doc* project, QWidget* parent = nullptr);

    // The dialog for an image being added to `project`: `request` holds the image path and type
    // (the other fields as the caller set them) and, when the answer is true, the dialog's
    // results, its path being the macro file to write. An image whose header cannot be read is
    // refused after its file message, without the dialog.
    static bool run(QWidget* parent, CQuorlyn32Doc& project, CQuorlyn32Doc::BitmapToMacroRequest& request);

    // The controls as they stand, and what OK wrote (valid once accepted).
    BitmapToMacroForm form() const;
    const CQuorlyn32Doc::BitmapToMacroRequest& macroRequest() const { return m_result; }

    void accept() override;
    void reject() override;

    // The document's add road answered by this dialog.
    class Runner : public BitmapToMacroRunner {
    public:
        explicit Runner(QWidget* parent = nullptr) : m_parent(parent) {}
        bool run(CQuorlyn32Doc& project, CQuorlyn32Doc::BitmapToMacroRequest& request) override;

    private:
        QWidget* m_parent;
    };

private:
    void createControls();
    QWidget* createMacroSettings();
    QWidget* createPictureGroup();
    QWidget* createFileGroup();
    void applyImageLayout();
    void showForm();
    void showPrintedSize();
    void applyPositionFlag();
    void applyOrientationFlag();
    void onNumberEdited(QLineEdit* edit);
    void onSaveMacro();
    bool validate(BitmapToMacroForm& form);
    void focus(BitmapToMacroRefusal::Focus field);
    void restorePlacement();
    void savePlacement() const;

    BitmapToMacroForm m_form;
    CQuorlyn32Doc* m_project;
    CQuorlyn32Doc::BitmapToMacroRequest m_result;

    QLabel* m_sourcePath = nullptr;
    QGroupBox* m_imageGroup = nullptr;
    QLabel* m_preview = nullptr;
    QLineEdit* m_macroName = nullptr;
    QCheckBox* m_colour = nullptr;
    QComboBox* m_unit = nullptr;
    QComboBox* m_resolution = nullptr;
    QCheckBox* m_position = nullptr;
    QLineEdit* m_positionX = nullptr;
    QLineEdit* m_positionY = nullptr;
    QCheckBox* m_orientation = nullptr;
    QCheckBox* m_portrait = nullptr;
    QCheckBox* m_landscape = nullptr;
    QList<QLabel*> m_unitLabels;
    QList<QWidget*> m_bitmapOnly;
    QLabel* m_outputWidth = nullptr;
    QLabel* m_outputHeight = nullptr;
    QLineEdit* m_outputWidthEdit = nullptr;
    QLineEdit* m_outputHeightEdit = nullptr;
    QLabel* m_pixelWidth = nullptr;
    QLabel* m_pixelHeight = nullptr;
    QLabel* m_resolutionX = nullptr;
    QLabel* m_resolutionY = nullptr;
    QLineEdit* m_macroFile = nullptr;
    QLabel* m_info = nullptr;
};
