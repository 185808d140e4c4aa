#pragma once

#include "ResPrefForm.h"

#include <QDialog>
#include <QIcon>

class CQuorlyn32Doc;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

// "Properties" of one project item: the font id, typeface id and (TrueType only) symbol set of a
// font, the automatic-overlay flag of a Tellurade macro, the power-on-default flag of a form.
// Controls that do not apply to the item's kind are hidden. OK checks and writes the item's
// record through the document; Cancel writes nothing but what the check box did at once. The
// placement is kept in section "Resource Preferences" (restored unless the program's version
// changed, saved on OK and Cancel), with "ResPrefMsgOptions" read and written back.
class CResPrefDlg : public QDialog {
    Q_OBJECT
public:
    struct Result {
        bool accepted = false;
        ResPrefChange change; // the id and typeface column texts to show, empty when unchanged
    };

    CResPrefDlg(CQuorlyn32Doc& document, int serial, const QIcon& icon, QWidget* parent = nullptr);

    // Runs the dialog modally for the item with this serial (its file present).
    static Result run(QWidget* parent, CQuorlyn32Doc& document, int serial, const QIcon& icon = {});

    const ResPrefForm& form() const { return m_form; }
    const ResPrefChange& change() const { return m_change; }

    void accept() override;
    void reject() override;

private:
    void createControls(const QIcon& icon);
    void showLayout();
    void onIdEdited(const QString& text);
    void onTypefaceEdited(const QString& text);
    void spinId(int step);
    void spinTypeface(int step);
    bool restorePlacement();
    void saveOnClose();

    CQuorlyn32Doc& m_document;
    int m_serial;
    ResPrefForm m_form;
    ResPrefChange m_change;
    int m_messageOptions = qrl::settings::kResPrefMessageOptions.defaultValue;
    int m_fullHeight = 0;
    bool m_initialised = false;

    QGroupBox* m_group = nullptr;
    QLabel* m_idLabel = nullptr;
    QLineEdit* m_id = nullptr;
    QToolButton* m_idUp = nullptr;
    QToolButton* m_idDown = nullptr;
    QLabel* m_idReadOnly = nullptr;
    QLabel* m_typefaceLabel = nullptr;
    QLineEdit* m_typeface = nullptr;
    QToolButton* m_typefaceUp = nullptr;
    QToolButton* m_typefaceDown = nullptr;
    QLabel* m_symbolSetLabel = nullptr;
    QListWidget* m_symbolSets = nullptr;
    QCheckBox* m_flag = nullptr;
};
