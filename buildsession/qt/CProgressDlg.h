#pragma once

#include "BuildProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The modeless window "Build Progress" that a build shows while it runs: a status line and a
// progress bar from 0 to 100. The build runs on the user-interface thread without an event loop,
// so every change paints the window at once, handling only non-input events: clicks and keys
// wait until the build is over.
//
// Ownership: the window never deletes itself. Its creator (the build dialog) owns it and
// destroys it exactly once, after ShowResult on success or directly on a failure.
class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Shows the window and paints it before returning.
    void showNow();

    void SetStatusText(const QString& text);
    void SetStep(int step);
    // Advances the bar by one step; at the end of the range it starts again from 0.
    void StepIt();
    void ResetPosition();
    void FillBar();
    // Hides the window, then shows the result of the build in an information box (string by
    // target and to-file flag), with `note` beneath it when there is one.
    void ShowResult(qrl::build::BuildTarget target, int toFile, const QString& note = {});

    QString statusText() const;
    const BuildProgress& progress() const { return m_progress; }

private:
    void refresh();

    BuildProgress m_progress;
    QLabel* m_status;
    QProgressBar* m_bar;
};
