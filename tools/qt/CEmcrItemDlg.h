#pragma once

#include "EmcrCommandFile.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;

// "Macro to Paper Source": edits the assignment of one assigner row of the EMCR creator. The
// dialog edits a copy; on OK assignment() holds the checked result.
class CEmcrItemDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxParameterChars = 243;
    static constexpr int kMaxRepeatChars = 5;

    // `row` is the assigner row; `macros` the names the macro box offers after its empty entry.
    CEmcrItemDlg(int row, bool duplex, const QStringList& macros, const EmcrAssignment& current,
                 QWidget* parent = nullptr);

    const EmcrAssignment& assignment() const { return m_assignment; }
    // Parameters and repeat count together may hold this many characters.
    int lengthLimit() const { return m_limit; }

    void accept() override;

private:
    void onRepeatChanged(const QString& text);
    void onParametersChanged(const QString& text);

    int m_limit = 0;
    EmcrAssignment m_assignment;
    QComboBox* m_macroBox = nullptr;
    QLineEdit* m_parameters = nullptr;
    QLineEdit* m_repeat = nullptr;
};
