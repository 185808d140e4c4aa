#pragma once

#include "BuildProgress.h"

#include <QString>

namespace qrl::build {

// The progress window of a running build as the build sees it. This base keeps the bar's
// arithmetic and the status text without a window and shows the result box through qrl::ui();
// the dialog's monitor puts the progress window behind the same calls.
class BuildMonitor {
public:
    virtual ~BuildMonitor() = default;

    // Shows the window (once per build).
    virtual void open()
    {
        m_open = true;
        m_resultNote.clear();
    }
    // Destroys the window without a result box; harmless when it is not open.
    virtual void close() { m_open = false; }
    virtual void setStatusText(const QString& text) { m_statusText = text; }
    virtual void setStep(int step) { m_progress.setStep(step); }
    virtual void stepIt() { m_progress.stepIt(); }
    virtual void resetPosition() { m_progress.resetPosition(); }
    virtual void fillBar() { m_progress.fillBar(); }
    // Hides the window, shows the result of the build in an information box (with the result
    // note beneath it), destroys the window.
    virtual void showResult(BuildTarget target, int toFile);
    // What the result box adds beneath its text, such as the state of a queue the job waits in.
    void setResultNote(const QString& note) { m_resultNote = note; }
    const QString& resultNote() const { return m_resultNote; }

    bool isOpen() const { return m_open; }
    const QString& statusText() const { return m_statusText; }
    const BuildProgress& progress() const { return m_progress; }

private:
    BuildProgress m_progress;
    QString m_statusText;
    QString m_resultNote;
    bool m_open = false;
};

} // namespace qrl::build
