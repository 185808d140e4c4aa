#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// "File Mapping": a new mapping (type and extension) or, in modify mode, a new extension for the
// page's selected mapping (the type list is then disabled). OK returns the type list's text and the
// extension; the type word is the page's business and stays untouched.
class CFileMapNewDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { kNew = 0, kModify = 1 };

    CFileMapNewDlg(QString* description, QString* typeWord, QString* extension, int listIndex, Mode mode,
                   QWidget* parent = nullptr);

    void accept() override;

private:
    QString* m_description;
    QString* m_extension;
    QComboBox* m_types;
    QLineEdit* m_extensionEdit;
    QPushButton* m_ok;
};
