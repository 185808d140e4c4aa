#pragma once

#include "BuildOptions.h"
#include "BuildProject.h"
#include "BuildSettings.h"
#include "BuildTarget.h"

#include <QDialog>

#include <functional>
#include <memory>

class CPrinterOutput;
class CZenPrinter;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace qrl {
class Spooler;
}

namespace qrl::build {
class BuildDocument;
class BuildMonitor;
class BuildSession;
} // namespace qrl::build

// The modal dialog "Project Build": chooses the target, the printer or file and the target's
// switches, and on Build hands them to a build session, which builds the project and delivers
// it. The dialog edits values only; the session does the work. Target switches write the medium
// they build for back to the document at once. Every finished or failed build closes the
// dialog; a refused question or a cancelled file dialog leaves it open.
class CBuildDlg : public QDialog {
    Q_OBJECT
public:
    // `document` and `spooler` are not owned; nullptr means the program's spooler.
    explicit CBuildDlg(qrl::build::BuildDocument& document, QWidget* parent = nullptr,
                       qrl::Spooler* spooler = nullptr);
    ~CBuildDlg() override;

    // The controls as a build's options (the data exchange from the controls).
    qrl::build::BuildOptions options() const;
    const qrl::build::TargetState& targetState() const { return m_state; }

    // The project settings dialog behind Configure, run with the media it offers; without one the
    // button stays disabled.
    void setConfigure(std::function<bool(MediaOffer mode)> configure);
    void OnConfigure();
    void OnSelchangeTarget();
    void ShowPort();

    // Build (the build driver) and Exit.
    void accept() override;
    void reject() override;

protected:
    // The progress window of a build; tests put a window-less monitor here.
    virtual std::unique_ptr<qrl::build::BuildMonitor> createMonitor();

private:
    void createControls();
    void OnInitDialog();
    void FillPrinterList();
    void selectSavedPrinter();
    void layoutForTarget();
    void applyCardType();
    void updateCapacityText();
    void takeSettings(const CProjSett& settings, bool modified);
    void SaveSettingsAndCleanUp();

    qrl::build::BuildDocument& m_document;
    std::function<bool(MediaOffer)> m_configure;
    qrl::Spooler* m_spooler;
    std::unique_ptr<qrl::build::BuildSession> m_session;
    std::unique_ptr<CPrinterOutput> m_output;
    std::unique_ptr<CZenPrinter> m_printer;
    qrl::build::BuildProject m_project;
    qrl::build::BuildSettings m_settings;
    qrl::build::TargetState m_state;

    QComboBox* m_targetCombo = nullptr;
    QCheckBox* m_formatCheck = nullptr;
    QCheckBox* m_ignoreProtectionCheck = nullptr;
    QCheckBox* m_protectAfterCheck = nullptr;
    QCheckBox* m_tarnwickCheck = nullptr;
    QButtonGroup* m_exportFormat = nullptr;
    QWidget* m_exportFormatBox = nullptr;
    QList<QWidget*> m_cardWidgets;
    QList<QWidget*> m_printerWidgets;
    QLabel* m_cardTypeText = nullptr;
    QLabel* m_capacityText = nullptr;
    QPushButton* m_configureButton = nullptr;
    QComboBox* m_printerCombo = nullptr;
    QLabel* m_portText = nullptr;
    QPushButton* m_buildButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};
