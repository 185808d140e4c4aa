#pragma once

#include <QDialog>

class QLineEdit;

// "File Location": changes one directory of the file locations, typed or chosen with the folder
// browser. OK returns the directory text; Cancel returns nothing.
class CFileLocationModifyDlg : public QDialog {
    Q_OBJECT
public:
    CFileLocationModifyDlg(const QString& rowName, QString* directory, QWidget* parent = nullptr);

    void accept() override;
    // The "&Browse..." button: a chosen folder replaces the directory, a cancelled browser changes nothing.
    void browse();

private:
    QString* m_result;
    QString m_directory;
    QLineEdit* m_edit;
};
