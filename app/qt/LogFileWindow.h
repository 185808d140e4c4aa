#pragma once

#include "LogWindow.h"

#include <QWidget>

class LogFile;
class QListWidget;

// The popup that shows the log live: "LogFile Window" at 10,10 of the screen's available area (its
// frame too), 600 x 300 or less when the area is smaller, a silver list whose newest row is
// selected. Closing it by hand only stops the copy; the file goes on.
class LogFileWindow : public QWidget, public LogWindow {
    Q_OBJECT
public:
    static constexpr int kListId = 1024;

    LogFileWindow();
    ~LogFileWindow() override;

    bool Create(QWidget* parent);
    void setLogFile(LogFile* log) { m_log = log; }

    int AddText(const QString& text) override;
    int AddLine(const QString& text) override;
    void destroyWindow() override;

    QListWidget* list() const { return m_list; }

    // The log opens before the main window: once that is up, the log window becomes one of its
    // windows, which stays over it, at the place and size it had.
    void keepOver(QWidget* mainWindow);

private:
    void placeOnScreen();
    int addRow(const QString& text);
    void selectLast();

    QListWidget* m_list = nullptr;
    LogFile* m_log = nullptr;
};
