#include "IconPainter.h"

#include <QPainterPath>

namespace qrl::icons {

namespace {
constexpr qreal kGrid = 16.0;
} // namespace

QPixmap paintImage(int size, const std::function<void(QPainter&)>& draw)
{
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    draw(p);
    p.end();
    return image;
}

QPen outlinePen(const QColor& colour, qreal width)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void drawPage(QPainter& p, const QRectF& r, const QColor& fill)
{
    const qreal fold = r.width() / 3.0;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(outlinePen(QColor(40, 40, 40), 0.8));
    p.setBrush(fill);
    p.drawPath(page);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(200, 200, 200));
    p.drawPath(corner);
}

void drawLines(QPainter& p, const QRectF& r, int count, const QColor& colour)
{
    p.setPen(outlinePen(colour, 1.0));
    const qreal step = count > 1 ? r.height() / (count - 1) : 0.0;
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + step * i;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

} // namespace qrl::icons
