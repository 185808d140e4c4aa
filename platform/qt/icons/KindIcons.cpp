#include "KindIcons.h"

#include "IconPainter.h"

#include <QPainterPath>

namespace qrl::icons {

namespace {

// A bold capital A over a baseline: the font kind. The inner triangle is the glyph's counter.
void drawFont(QPainter& p)
{
    QPainterPath glyph;
    glyph.addPolygon(QPolygonF({{1.5, 14.5},
                                {6.5, 1.5},
                                {9.5, 1.5},
                                {14.5, 14.5},
                                {11.3, 14.5},
                                {10.2, 11.3},
                                {5.8, 11.3},
                                {4.7, 14.5}}));
    glyph.closeSubpath();
    glyph.addPolygon(QPolygonF({{6.6, 8.8}, {9.4, 8.8}, {8.0, 4.8}}));
    glyph.closeSubpath();
    p.setPen(outlinePen(QColor(10, 30, 90), 0.6));
    p.setBrush(QColor(40, 80, 200));
    p.drawPath(glyph);
}

// A page of command text with a lightning bolt: the macro kind.
void drawMacro(QPainter& p)
{
    drawPage(p, QRectF(2.5, 0.5, 10, 15), QColor(255, 250, 220));
    drawLines(p, QRectF(4.5, 4.5, 5, 8), 4, QColor(90, 90, 90));
    p.setPen(outlinePen(QColor(150, 70, 0), 0.6));
    p.setBrush(QColor(255, 160, 20));
    p.drawPolygon(QPolygonF(
        {{11.5, 5.5}, {8.5, 10.5}, {10.8, 10.5}, {9.5, 15.5}, {14.8, 8.8}, {12.3, 8.8}, {14.0, 5.5}}));
}

// A page with a grid of fields: the form kind.
void drawForm(QPainter& p)
{
    drawPage(p, QRectF(1.5, 0.5, 13, 15));
    p.setPen(outlinePen(QColor(0, 110, 60), 0.8));
    p.setBrush(QColor(200, 240, 210));
    p.drawRect(QRectF(3.5, 5.5, 9, 8));
    p.drawLine(QPointF(3.5, 8.2), QPointF(12.5, 8.2));
    p.drawLine(QPointF(3.5, 10.8), QPointF(12.5, 10.8));
    p.drawLine(QPointF(7.5, 5.5), QPointF(7.5, 13.5));
    p.setPen(outlinePen(QColor(0, 110, 60), 1.0));
    p.drawLine(QPointF(3.5, 3.0), QPointF(8.5, 3.0));
}

// A chip with its pins: the program data kind.
void drawProgram(QPainter& p)
{
    p.setPen(outlinePen(QColor(120, 120, 120), 1.0));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 4.5 + 2.4 * i;
        p.drawLine(QPointF(0.5, y), QPointF(3.0, y));
        p.drawLine(QPointF(13.0, y), QPointF(15.5, y));
    }
    p.setPen(outlinePen(QColor(20, 20, 20), 0.8));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(3.0, 2.5, 10, 11), 1.0, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 190, 60));
    p.drawEllipse(QRectF(4.5, 4.0, 2.2, 2.2));
    p.setPen(outlinePen(QColor(170, 220, 170), 1.0));
    p.drawLine(QPointF(5.0, 9.5), QPointF(11.0, 9.5));
    p.drawLine(QPointF(5.0, 11.5), QPointF(9.0, 11.5));
}

// A greyed page crossed out in red: an item whose file is missing.
void drawMissing(QPainter& p)
{
    drawPage(p, QRectF(2.5, 0.5, 11, 15), QColor(225, 225, 225));
    p.setPen(outlinePen(QColor(200, 0, 0), 2.2));
    p.drawLine(QPointF(4.0, 5.0), QPointF(12.0, 13.0));
    p.drawLine(QPointF(12.0, 5.0), QPointF(4.0, 13.0));
}

} // namespace

QPixmap kindImage(int image, int size)
{
    switch (image) {
    case 0:
        return paintImage(size, drawFont);
    case 1:
        return paintImage(size, drawMacro);
    case 2:
        return paintImage(size, drawForm);
    case 3:
        return paintImage(size, drawProgram);
    case kMissingFileImage:
        return paintImage(size, drawMissing);
    default:
        return {};
    }
}

} // namespace qrl::icons
