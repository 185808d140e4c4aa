#pragma once

#include "ProjectSettingsForm.h"
#include "SettingsKeys.h"

#include <QDialog>

class CQuorlyn32Doc;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Project Settings": the storage medium of a project and, for card media, its capacity from the
// list of sizes or a custom size in KB or MB. The dialog edits a ProjectSettingsForm; OK answers
// Accepted only after the checks passed, with the choice in choice(). Its placement is kept in
// the profile section "Project Settings" (restored unless the program's version changed, saved
// on OK and on Cancel).
class CProjSettDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kProjectSettingsSection;

    // Shows the form (its mode decides which media can be chosen); nothing is written anywhere
    // but the placement until the caller applies choice().
    CProjSettDlg(const ProjectSettingsForm& form, QWidget* parent = nullptr);

    // Runs the dialog modally over `parent` on the main frame's active project and on OK applies
    // the choice to it. False when there is no active project or the
    // dialog was cancelled.
    static bool run(QWidget* parent, MediaOffer mode);
    // The same on a given project.
    static bool run(QWidget* parent, MediaOffer mode, CQuorlyn32Doc& document);

    // The controls as they stand, and what OK wrote (valid once accepted).
    ProjectSettingsForm form() const;
    const ProjectSettingsChoice& choice() const { return m_choice; }

    void accept() override;
    void reject() override;

private:
    void createControls();
    void showForm();
    void enableCapacity(bool listEnabled, bool customEnabled);
    void onMediumClicked(int id);
    void onCapacityChanged(int index);
    void onCustomSizeEdited(const QString& text);
    void restorePlacement();
    void savePlacement() const;

    ProjectSettingsForm m_form;
    ProjectSettingsChoice m_choice;
    QButtonGroup* m_media = nullptr;
    QLabel* m_capacityLabel = nullptr;
    QComboBox* m_capacityList = nullptr;
    QLabel* m_customLabel = nullptr;
    QLineEdit* m_customSize = nullptr;
    QRadioButton* m_kb = nullptr;
    QRadioButton* m_mb = nullptr;
};
