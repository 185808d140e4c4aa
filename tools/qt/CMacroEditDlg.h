#pragma once

#include "SettingsKeys.h"

#include <QDialog>

class CPrintToolDlg;
class QPlainTextEdit;

// "Edit Macro": edits the text of the custom macro tool of one row of the printer tools list.
// The text is loaded from the tools dialog (FindCustomText) and handed back on OK
// (SetCustomText), with CR LF line breaks; a text that cannot be stored byte for byte is refused
// with a message and the dialog stays open. Cancel changes nothing. The window placement is
// kept in section "Macro Edit", stored on OK only.
class CMacroEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kMacroEditSection;

    // `tools` is not owned and outlives the dialog; the row edited is its selected row.
    explicit CMacroEditDlg(CPrintToolDlg& tools, QWidget* parent = nullptr);

    // Opens the dialog modally on the selected row of `tools`; true when the text was replaced.
    static bool run(CPrintToolDlg& tools);

    int row() const { return m_row; }
    void accept() override;

private:
    CPrintToolDlg& m_tools;
    int m_row = -1;
    QPlainTextEdit* m_edit = nullptr;
};
