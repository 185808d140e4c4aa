#pragma once

#include "BuildMonitor.h"

#include <memory>

class CProgressDlg;
class QWidget;

namespace qrl::build {

// The build's monitor with the progress window "Build Progress" over the build dialog: made and
// shown by open(), destroyed by close() and after showResult().
class ProgressDlgMonitor : public BuildMonitor {
public:
    explicit ProgressDlgMonitor(QWidget* parent);
    ~ProgressDlgMonitor() override;

    void open() override;
    void close() override;
    void setStatusText(const QString& text) override;
    void setStep(int step) override;
    void stepIt() override;
    void resetPosition() override;
    void fillBar() override;
    void showResult(BuildTarget target, int toFile) override;

    CProgressDlg* window() const { return m_window.get(); }

private:
    QWidget* m_parent;
    std::unique_ptr<CProgressDlg> m_window;
};

} // namespace qrl::build
