#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

// "File Mapping": a new mapping (type and extension) or, in modify mode, a new extension for the
// page's selected mapping (the type list is then disabled). OK returns the type list's text and the
// extension; the type word is the page's business and stays untouched. An extension the mapping
// list already holds is refused on OK with a message, and the dialog stays open with the entry.
class CFileMapNewDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { kNew = 0, kModify = 1 };

    CFileMapNewDlg(QString* description, QString* typeWord, QString* extension, int listIndex, Mode mode,
                   QWidget* parent = nullptr);

    // Tells whether the list already holds an extension (case is the caller's business); without
    // it every extension is taken as new.
    void setExtensionTaken(std::function<bool(const QString& extension)> taken)
    {
        m_taken = std::move(taken);
    }

    void accept() override;

private:
    std::function<bool(const QString&)> m_taken;
    QString* m_description;
    QString* m_extension;
    QComboBox* m_types;
    QLineEdit* m_extensionEdit;
    QPushButton* m_ok;
};
