#pragma once

#include "CAboutDlgFiles.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The About box, also the start-up splash: a painted banner with the product name and version
// and, in its lower half that "&Details.." folds in and out, the list of the program's files
// with their versions, dates, sizes and folder. Its fold state, placement and column widths are
// kept in "About Dialog".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const qrl::about::Sources& sources, QWidget* parent = nullptr);

    // The About command and the splash: runs the box modally for the application object's files.
    static void run(QWidget* parent = nullptr);
    // The files of the running program, from the application object.
    static qrl::about::Sources applicationSources();

    int detailsView() const { return m_detailsView; }
    // Folds the lower half in or out, as the "&Details.." button does.
    void OnDetails();
    // Opens the selected row's text or help file, as a double click does.
    void openSelectedFile();

    void done(int result) override;

private:
    void fillList(const qrl::about::Sources& sources, bool defaultWidths);
    void applyFold(int height);
    void saveSettings();

    int m_detailsView = 0;
    QString m_sectionName;
    int m_versionNew = 0;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_detailsButton = nullptr;
    bool m_saved = false;
};
