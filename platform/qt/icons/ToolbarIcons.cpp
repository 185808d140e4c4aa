#include "ToolbarIcons.h"

#include "CommandIds.h"
#include "IconPainter.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QPalette>

namespace qrl::icons {

namespace {

constexpr int kToolbarSize = 16;
const QColor kInk(30, 30, 30);
const QColor kBlue(30, 80, 190);

// The list-mode images draw their text lines in the desktop's button text colour, and outline
// their squares in it on a dark palette, so that they stay visible there as on a light one.
QColor lineInk()
{
    return qGuiApp ? QGuiApplication::palette().color(QPalette::ButtonText) : kInk;
}

QColor squareOutline()
{
    const QColor ink = lineInk();
    return ink.lightness() > 128 ? ink : QColor(10, 30, 90);
}

void drawNew(QPainter& p)
{
    drawPage(p, QRectF(2.5, 0.5, 10, 15));
}

void drawOpen(QPainter& p)
{
    p.setPen(outlinePen(QColor(120, 80, 0), 0.8));
    p.setBrush(QColor(230, 180, 50));
    p.drawPolygon(QPolygonF({{0.5, 3.5}, {5.5, 3.5}, {6.5, 5.0}, {12.5, 5.0}, {12.5, 14.5}, {0.5, 14.5}}));
    p.setBrush(QColor(255, 220, 110));
    p.drawPolygon(QPolygonF({{3.0, 8.0}, {15.5, 8.0}, {12.5, 14.5}, {0.5, 14.5}}));
}

void drawSave(QPainter& p)
{
    p.setPen(outlinePen(QColor(10, 30, 90), 0.8));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {13.0, 1.5}, {14.5, 3.0}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.0, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4.0, 9.5, 8, 5));
    p.setBrush(kBlue);
    p.drawRect(QRectF(9.0, 2.5, 1.8, 3));
}

void drawCut(QPainter& p)
{
    p.setPen(outlinePen(QColor(90, 90, 100), 1.3));
    p.drawLine(QPointF(4.5, 1.0), QPointF(10.0, 10.5));
    p.drawLine(QPointF(11.5, 1.0), QPointF(6.0, 10.5));
    p.setPen(outlinePen(QColor(170, 0, 0), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 10.0, 4.5, 4.5));
    p.drawEllipse(QRectF(10.0, 10.0, 4.5, 4.5));
}

void drawCopy(QPainter& p)
{
    drawPage(p, QRectF(1.5, 0.5, 8, 10));
    drawPage(p, QRectF(6.5, 5.5, 8, 10));
}

void drawPaste(QPainter& p)
{
    p.setPen(outlinePen(QColor(90, 50, 10), 0.8));
    p.setBrush(QColor(170, 110, 50));
    p.drawRoundedRect(QRectF(1.5, 2.0, 10, 13), 1.0, 1.0);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(4.0, 0.8, 5, 2.5));
    drawPage(p, QRectF(7.5, 6.5, 7, 9));
}

// A hammer: building the project's resources.
void drawBuild(QPainter& p)
{
    p.setPen(outlinePen(QColor(90, 50, 10), 0.6));
    p.setBrush(QColor(180, 120, 60));
    p.drawPolygon(QPolygonF({{1.0, 13.5}, {2.5, 15.0}, {10.5, 7.0}, {9.0, 5.5}}));
    p.setPen(outlinePen(kInk, 0.6));
    p.setBrush(QColor(140, 140, 150));
    p.drawPolygon(QPolygonF({{6.0, 3.5}, {10.0, 0.5}, {15.5, 6.0}, {12.5, 10.0}}));
}

void drawHelp(QPainter& p)
{
    p.setPen(outlinePen(QColor(10, 30, 90), 0.8));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath mark;
    mark.moveTo(5.5, 6.0);
    mark.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.8);
    mark.cubicTo(10.5, 7.8, 8.0, 8.0, 8.0, 10.0);
    p.setPen(outlinePen(Qt::white, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.0, 11.5, 2, 2));
}

void drawAbout(QPainter& p)
{
    p.setPen(outlinePen(QColor(10, 30, 90), 0.8));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.0, 3.0, 2, 2));
    p.drawRect(QRectF(7.0, 6.5, 2, 6.5));
}

void drawAdd(QPainter& p)
{
    p.setPen(outlinePen(QColor(0, 90, 0), 0.8));
    p.setBrush(QColor(40, 170, 40));
    p.drawPolygon(QPolygonF({{6.0, 1.5},
                             {10.0, 1.5},
                             {10.0, 6.0},
                             {14.5, 6.0},
                             {14.5, 10.0},
                             {10.0, 10.0},
                             {10.0, 14.5},
                             {6.0, 14.5},
                             {6.0, 10.0},
                             {1.5, 10.0},
                             {1.5, 6.0},
                             {6.0, 6.0}}));
}

void drawDelete(QPainter& p)
{
    p.setPen(outlinePen(QColor(190, 0, 0), 3.0));
    p.drawLine(QPointF(3.0, 3.0), QPointF(13.0, 13.0));
    p.drawLine(QPointF(13.0, 3.0), QPointF(3.0, 13.0));
}

// A small window with a title bar and fields: the item's properties.
void drawProperties(QPainter& p)
{
    p.setPen(outlinePen(kInk, 0.8));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setBrush(kBlue);
    p.drawRect(QRectF(0.5, 1.5, 15, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 6.5, 7, 2.5));
    p.drawRect(QRectF(6.5, 10.5, 7, 2.5));
    p.setPen(outlinePen(kInk, 1.0));
    p.drawLine(QPointF(2.5, 7.8), QPointF(5.0, 7.8));
    p.drawLine(QPointF(2.5, 11.8), QPointF(5.0, 11.8));
}

// The four list modes: squares of two sizes, a column of entries, rows with columns.
void drawLargeIcons(QPainter& p)
{
    p.setPen(outlinePen(squareOutline(), 0.8));
    p.setBrush(QColor(120, 160, 230));
    for (const QPointF& at : {QPointF(1.5, 1.5), QPointF(9.5, 1.5), QPointF(1.5, 9.5), QPointF(9.5, 9.5)})
        p.drawRect(QRectF(at, QSizeF(5, 5)));
}

void drawSmallIcons(QPainter& p)
{
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 2; ++col) {
            const qreal x = 1.0 + 8.0 * col;
            const qreal y = 2.0 + 4.5 * row;
            p.setPen(outlinePen(squareOutline(), 0.6));
            p.setBrush(QColor(120, 160, 230));
            p.drawRect(QRectF(x, y, 2.5, 2.5));
            drawLines(p, QRectF(x + 3.5, y + 1.2, 2.5, 0), 1, lineInk());
        }
    }
}

void drawList(QPainter& p)
{
    for (int row = 0; row < 4; ++row) {
        p.setPen(outlinePen(squareOutline(), 0.6));
        p.setBrush(QColor(120, 160, 230));
        p.drawRect(QRectF(1.5, 1.5 + 3.6 * row, 2.5, 2.5));
        drawLines(p, QRectF(5.5, 2.8 + 3.6 * row, 8, 0), 1, lineInk());
    }
}

void drawDetails(QPainter& p)
{
    p.setPen(outlinePen(lineInk(), 0.6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(0.5, 1.5, 15, 3));
    for (int row = 0; row < 3; ++row) {
        const qreal y = 7.0 + 3.3 * row;
        drawLines(p, QRectF(1.5, y, 5, 0), 1, lineInk());
        drawLines(p, QRectF(8.5, y, 2.5, 0), 1, lineInk());
        drawLines(p, QRectF(12.5, y, 2.5, 0), 1, lineInk());
    }
}

} // namespace

QIcon toolbarIcon(int commandId)
{
    void (*draw)(QPainter&) = nullptr;
    switch (commandId) {
    case qrl::cmd::kFileNew:
        draw = drawNew;
        break;
    case qrl::cmd::kFileOpen:
        draw = drawOpen;
        break;
    case qrl::cmd::kFileSave:
        draw = drawSave;
        break;
    case qrl::cmd::kEditCut:
        draw = drawCut;
        break;
    case qrl::cmd::kEditCopy:
        draw = drawCopy;
        break;
    case qrl::cmd::kEditPaste:
        draw = drawPaste;
        break;
    case qrl::cmd::kBuild:
        draw = drawBuild;
        break;
    case qrl::cmd::kHelp:
        draw = drawHelp;
        break;
    case qrl::cmd::kAppAbout:
        draw = drawAbout;
        break;
    case qrl::cmd::kAddResource:
        draw = drawAdd;
        break;
    case qrl::cmd::kDeleteItems:
        draw = drawDelete;
        break;
    case qrl::cmd::kProperties:
        draw = drawProperties;
        break;
    case qrl::cmd::kLargeIcons:
        draw = drawLargeIcons;
        break;
    case qrl::cmd::kSmallIcons:
        draw = drawSmallIcons;
        break;
    case qrl::cmd::kList:
        draw = drawList;
        break;
    case qrl::cmd::kDetails:
        draw = drawDetails;
        break;
    default:
        return {};
    }
    return QIcon(paintImage(kToolbarSize, draw));
}

} // namespace qrl::icons
