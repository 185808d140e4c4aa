#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

// Files dropped from the desktop onto the main window's free area (outside the project windows,
// whose list adds them as items) open as projects. Drags that start inside the program are not
// taken: items dragged out of a list are no projects to open.
class ProjectDrop : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const QStringList& paths)>;

    // Watches `area` (owned by it from here on); `open` gets the dropped files once the drop is over.
    ProjectDrop(QWidget* area, Open open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Open m_open;
};
