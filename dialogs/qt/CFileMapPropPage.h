#pragma once

#include "CFileMapNewDlg.h"
#include "FileMapRows.h"

#include <QWidget>

#include <functional>

class CGlobalPrefs;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The option page "File Mappings": a working copy of the extension map, edited row by row; the
// map changes only on apply.
class CFileMapPropPage : public QWidget {
    Q_OBJECT
public:
    // Opens the mapping dialog; true on OK. Replaceable so that tests need no modal loop.
    using MappingDialog = std::function<bool(QString& description, QString& extension, int listIndex,
                                             CFileMapNewDlg::Mode mode)>;

    explicit CFileMapPropPage(CGlobalPrefs& prefs, QWidget* parent = nullptr);

    // Refuses a duplicate or unstorable extension with a message, selecting the row; the sheet calls
    // it before leaving the page.
    bool validate();
    // Validates, then rewrites the map (RemoveAll, one Add per row, Save). False keeps the page open.
    bool apply();

    void setMappingDialog(MappingDialog dialog) { m_mappingDialog = std::move(dialog); }
    const std::vector<qrl::filemap::Row>& rows() const { return m_rows; }

signals:
    void modified();

private:
    void fillList();
    void setItem(int row);
    int selectedRow() const;
    void selectRow(int row);
    void onSelectionChanged();
    void onAddNew();
    void onModify();
    void onRemove();
    void onDescriptionChanged();
    void onExtensionEdited(const QString& text);
    QString descriptionFor(int row) const;

    CGlobalPrefs& m_prefs;
    std::vector<qrl::filemap::Row> m_rows;
    QTreeWidget* m_list;
    QPushButton* m_addNew;
    QPushButton* m_modify;
    QPushButton* m_remove;
    QComboBox* m_descriptions;
    QLineEdit* m_extension;
    MappingDialog m_mappingDialog;
    bool m_suppress = false; // set while the page itself fills the description list and the edit box
};
