#include "WindowPlacementAdapter.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace qrl {

WindowPlacement captureWindowPlacement(const QWidget* window)
{
    WindowPlacement p;
    const QRect normal =
        window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    const QRect r = normal.isValid() ? normal : window->geometry();
    p.left = r.x();
    p.top = r.y();
    p.right = r.x() + r.width();
    p.bottom = r.y() + r.height();
    const Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMaximized) {
        p.showCommand = WindowPlacement::kShowMaximized;
        if (state & Qt::WindowMinimized)
            p.flags |= WindowPlacement::kRestoreToMaximized;
    }
    return p;
}

void applyWindowPlacement(QWidget* window, const WindowPlacement& placement)
{
    QRect r(placement.left, placement.top, placement.right - placement.left,
            placement.bottom - placement.top);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    bool visible = false;
    for (const QScreen* s : screens)
        visible = visible || s->availableGeometry().intersects(r);
    if (!visible && !screens.isEmpty()) {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        r.setSize(r.size().boundedTo(area.size()));
        r.moveTopLeft(area.topLeft());
    }
    window->setGeometry(r);
    if (placement.showCommand == WindowPlacement::kShowMaximized)
        window->setWindowState(Qt::WindowMaximized);
    else
        window->setWindowState(Qt::WindowNoState);
}

} // namespace qrl
