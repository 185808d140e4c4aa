#pragma once

#include "PrintSetup.h"

#include <QDialog>
#include <QPageSize>

#include <memory>
#include <vector>

class CZenPrinter;
class QComboBox;
class QRadioButton;

namespace qrl {
class Spooler;
}

// The File menu's "Print Setup..." as the desktop's page setup has it: the printer (the spooler's
// printers, the default one chosen at first), its paper and the orientation. It edits a
// PrintSetupChoice; nothing is kept before OK.
class CPrintSetupDlg : public QDialog {
    Q_OBJECT
public:
    CPrintSetupDlg(const PrintSetupChoice& choice, qrl::Spooler* spooler, QWidget* parent = nullptr);
    ~CPrintSetupDlg() override;

    PrintSetupChoice choice() const;

private:
    // The paper sizes the printer names, or the common ones when it names none; `keep` stays chosen
    // when the list holds it, and is added when it does not.
    void fillPaperSizes(const QPageSize& keep);

    std::unique_ptr<CZenPrinter> m_printer;
    QComboBox* m_printers = nullptr;
    QComboBox* m_paper = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    std::vector<QPageSize> m_sizes;
};
