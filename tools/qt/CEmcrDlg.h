#pragma once

#include "EmcrCommandFile.h"
#include "SettingsKeys.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class CQuorlyn32Doc;
class QMenu;
class QPoint;
class QTreeWidget;

// "EMCR Creator": assigns the project's Tellurade macros to the printer's paper sources (and, with
// duplex, to each side) and writes the EMCR enable and disable command files. The dialog edits an
// EmcrCommandJob; "Add to project" writes both files and ends with Accepted only when both were
// written, with their paths in enablePath() and disablePath(). Its placement is kept in the
// profile section "Emcr Creator".
class CEmcrDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kEmcrCreatorSection;

    CEmcrDlg(CQuorlyn32Doc& document, QWidget* parent = nullptr);
    ~CEmcrDlg() override;

    // Runs the creator modally on `document`. True when both files were written: their paths are
    // in the out-strings, which are emptied otherwise. The project window adds them to the project.
    static bool run(QWidget* parent, CQuorlyn32Doc& document, QString& enablePath, QString& disablePath);

    // The project's Tellurade macros by name, in project order.
    const QStringList& macroNames() const { return m_macroNames; }
    const EmcrCommandJob& job() const { return m_job; }
    QString enablePath() const { return m_enablePath; }
    QString disablePath() const { return m_disablePath; }

    // The assigner row that commands act on: the selected one, or row 0.
    int selectedRow() const;
    void selectRow(int row);
    // Edits a row's assignment in the assignment dialog (the same as "Assign macro / modify").
    void assignRow(int row);
    void clearRow(int row);
    // The context menu of a row: "Modify (...)" and "Clear (...)".
    std::unique_ptr<QMenu> contextMenu(int row);

    void accept() override;
    void reject() override;

private:
    void createControls();
    void fillMacroList(const CQuorlyn32Doc& document);
    void rebuildAssigner();
    void showRow(int row);
    void onDuplexToggled(bool on);
    void onContextMenu(const QPoint& position);
    void restorePlacement();
    void savePlacement() const;
    // The column of a field of the assigner, which moves right by one while "Print Side" shows.
    int column(int withoutDuplex) const;

    EmcrCommandJob m_job;
    QStringList m_macroNames;
    QString m_projectPath;
    QString m_enablePath;
    QString m_disablePath;
    QTreeWidget* m_macroList = nullptr;
    QTreeWidget* m_assigner = nullptr;
};
