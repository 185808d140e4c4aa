#pragma once

#include "LogWindow.h"

#include <QWidget>

class LogFile;
class QListWidget;

// The popup that shows the log live: "LogFile Window" at 10,10, 600 x 300, a silver list whose
// newest row is selected. Closing it by hand only stops the copy; the file goes on.
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

private:
    int addRow(const QString& text);
    void selectLast();

    QListWidget* m_list = nullptr;
    LogFile* m_log = nullptr;
};
