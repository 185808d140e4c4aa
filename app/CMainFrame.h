#pragma once

#include <QMainWindow>

// The program's main window. Closing it stores its placement in "Settings".
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
};
