#pragma once

#include "CCcpyItemDlg.h"
#include "CcpyJob.h"
#include "SettingsKeys.h"

#include <QDialog>

#include <vector>

class CQuorlyn32Doc;
class QPushButton;
class QTreeWidget;

// "Multi-Part Form Creator": the pages of a multi-part form, each with its paper source, overlay
// macro (a Tellurade macro of the project), resolution, stack and data/overlay mode, and the
// duplex setting. "Add to project..." writes the CCPY enable and disable files through
// CcpyWriter; on OK both paths are in enablePath() and disablePath(). The placement is kept in
// profile section "Ccpy Creator" (restored unless the version changed, saved when it closes).
class CCcpyDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = qrl::settings::kCcpyCreatorSection;

    CCcpyDlg(CQuorlyn32Doc& document, QWidget* parent = nullptr);

    // Runs the creator modally over `parent`; true on OK, with both written files' paths, which the
    // project window then adds to the project (enable file first). The paths are emptied otherwise.
    static bool run(QWidget* parent, CQuorlyn32Doc& document, QString& enablePath, QString& disablePath);

    const CcpyJob& job() const { return m_job; }
    int options() const { return m_options; }
    QString enablePath() const { return m_enablePath; }
    QString disablePath() const { return m_disablePath; }

    // Appends a page (as the page dialog's OK does) and selects its row.
    void addPage(const CcpyPage& page);

    void accept() override;
    void reject() override;

private:
    void createControls();
    void fillMacroList();
    void showPages(int selectRow);
    void appendRow(int row);
    void onDuplexToggled(bool on);
    void onAddPage();
    void onDeletePage();
    void onSelectionChanged();
    void savePlacement() const;

    CQuorlyn32Doc& m_document;
    CcpyJob m_job;
    std::vector<CCcpyItemDlg::Overlay> m_overlays;
    int m_options = 0;
    QString m_enablePath;
    QString m_disablePath;
    QTreeWidget* m_macroList = nullptr;
    QTreeWidget* m_pageList = nullptr;
    QPushButton* m_addPage = nullptr;
    QPushButton* m_deletePage = nullptr;
    QPushButton* m_ok = nullptr;
};
