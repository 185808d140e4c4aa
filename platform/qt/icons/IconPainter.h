#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>

#include <functional>

namespace qrl::icons {

// Paints an image of `size` pixels on a transparent background. The drawing works on a grid of
// 16 x 16 units, so one drawing gives the 16 and the 32 pixel images alike.
QPixmap paintImage(int size, const std::function<void(QPainter&)>& draw);

// A sheet of paper with a folded top-right corner inside the rectangle (grid units).
void drawPage(QPainter& p, const QRectF& r, const QColor& fill = Qt::white);

// Evenly spaced text lines inside the rectangle.
void drawLines(QPainter& p, const QRectF& r, int count, const QColor& colour);

// An outline pen of `width` grid units.
QPen outlinePen(const QColor& colour, qreal width = 1.0);

} // namespace qrl::icons
