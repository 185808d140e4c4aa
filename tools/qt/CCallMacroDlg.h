#pragma once

#include "CallMacroCommand.h"
#include "SettingsKeys.h"

#include <QDialog>

class QLineEdit;

// "Tellurade Call Macro": edits the macro name, parameter value and repeat count of the
// "CALL macro" tool. The dialog edits a copy; OK takes the edits only when their check passes
// (qrl::callmacro::checkCallMacroParams), else it shows the reason and stays open. Cancel changes
// nothing. The window placement is kept in section "Call Macro", stored on OK only.
class CCallMacroDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kCallMacroSection;

    explicit CCallMacroDlg(const CallMacroParams& params, QWidget* parent = nullptr);

    // Opens the dialog modally on `params`; true, with `params` changed, on OK.
    static bool run(CallMacroParams& params, QWidget* parent);

    // The values of the three edits.
    CallMacroParams edited() const;
    // On OK, the values taken.
    const CallMacroParams& params() const { return m_params; }

    void accept() override;

private:
    CallMacroParams m_params;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_parameter = nullptr;
    QLineEdit* m_repeat = nullptr;
};
