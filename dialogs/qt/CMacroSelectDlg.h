#pragma once

#include "ProjectFileMacroQuestion.h"

#include <QDialog>

class QRadioButton;

// "Set macro type": asks whether a macro of an imported project is a Tellurade or a PCL macro.
// OK stores 6 (Tellurade, the first choice and the one selected at the start) or 5 (PCL) in the
// caller's answer; closing the dialog otherwise leaves the answer as the caller set it.
class CMacroSelectDlg : public QDialog {
    Q_OBJECT
public:
    CMacroSelectDlg(int* answer, const QString& fileName, QWidget* parent = nullptr);

    void accept() override;

    // The import's macro question answered by this dialog.
    class Question : public ProjectFileMacroQuestion {
    public:
        explicit Question(QWidget* parent = nullptr) : m_parent(parent) {}
        int askMacroType(const QString& fileName) override;

    private:
        QWidget* m_parent;
    };

private:
    int* m_answer;
    QRadioButton* m_tellurade;
    QRadioButton* m_pcl;
};
