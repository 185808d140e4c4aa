#pragma once

#include "UnknownExtensionQuestion.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

// "Unknown Extension": asks which of the nine types a file with an unmapped extension is. OK writes
// the list index (0 to 8) and the check box state to the places given; Cancel writes nothing.
class CUnknownExtDlg : public QDialog {
    Q_OBJECT
public:
    CUnknownExtDlg(const QString& path, int* index, bool* remember, QWidget* parent = nullptr);

    void accept() override;

    // The item's unknown-extension question answered by this dialog.
    class Question : public UnknownExtensionQuestion {
    public:
        explicit Question(QWidget* parent = nullptr) : m_parent(parent) {}
        std::optional<UnknownExtensionChoice> ask(const QString& path) override;

    private:
        QWidget* m_parent;
    };

protected:
    void showEvent(QShowEvent* event) override;

private:
    int* m_index;
    bool* m_remember;
    QComboBox* m_types;
    QCheckBox* m_rememberBox;
};
