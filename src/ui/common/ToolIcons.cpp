#include "ui/common/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace tessivar::ui {

namespace {

constexpr int kButtonSide = 24;
constexpr int kMarkSide = 16;

const QColor kInk(32, 32, 32);
const QColor kAccent(40, 110, 200);

void DrawArrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QLineF shaft(to, from);
    QLineF wingA = shaft;
    wingA.setLength(6);
    wingA.setAngle(shaft.angle() + 35);
    QLineF wingB = shaft;
    wingB.setLength(6);
    wingB.setAngle(shaft.angle() - 35);
    p.drawLine(wingA);
    p.drawLine(wingB);
}

void DrawPen(QPainter& p) {
    // A pencil lying from bottom left to top right, with one pixel set at its tip.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygonF({QPointF(7, 19), QPointF(18, 8), QPointF(21, 11), QPointF(10, 22)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(7, 19), QPointF(10, 22), QPointF(4, 24 - 3.5)}));
    p.fillRect(QRectF(2, 2, 4, 4), kAccent);
}

void DrawFill(QPainter& p) {
    // A tipped bucket pouring a drop.
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(220, 220, 220));
    p.drawPolygon(QPolygonF({QPointF(5, 9), QPointF(14, 4), QPointF(19, 13), QPointF(10, 18)}));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(19, 19), 3, 3);
}

void DrawRectangle(QPainter& p) {
    p.setPen(QPen(kInk, 2.0));
    p.setBrush(kAccent);
    p.drawRect(QRectF(4, 6, 16, 12));
}

void DrawLine(QPainter& p) {
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(4, 20), QPointF(20, 4));
}

void DrawFlip(QPainter& p, bool horizontal) {
    // Two mirrored triangles either side of a dashed axis.
    p.save();
    if (!horizontal) {
        p.translate(kButtonSide, 0);
        p.rotate(90);
    }
    p.setPen(QPen(kInk, 1.0, Qt::DashLine));
    p.drawLine(QPointF(12, 2), QPointF(12, 22));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(10, 5), QPointF(10, 19), QPointF(3, 19)}));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(14, 5), QPointF(14, 19), QPointF(21, 19)}));
    p.restore();
}

void DrawRotate(QPainter& p) {
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 16, 16), 180 * 16, -270 * 16);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(1, 10), QPointF(7, 10), QPointF(4, 15)}));
}

void DrawAnimation(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(19, 12), QPointF(8, 19)}));
}

void DrawMark(QPainter& p, bool filled) {
    // A small square: solid for "Filled", an outline for "Hollow".
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(filled ? QBrush(kInk) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(3.5, 3.5, 9, 9));
}

void DrawButtonPicture(QPainter& p, ToolPicture picture) {
    switch (picture) {
    case ToolPicture::Pen:
        return DrawPen(p);
    case ToolPicture::Fill:
        return DrawFill(p);
    case ToolPicture::Rectangle:
        return DrawRectangle(p);
    case ToolPicture::Line:
        return DrawLine(p);
    case ToolPicture::ShiftLeft:
        return DrawArrow(p, QPointF(20, 12), QPointF(4, 12));
    case ToolPicture::ShiftUp:
        return DrawArrow(p, QPointF(12, 20), QPointF(12, 4));
    case ToolPicture::ShiftDown:
        return DrawArrow(p, QPointF(12, 4), QPointF(12, 20));
    case ToolPicture::ShiftRight:
        return DrawArrow(p, QPointF(4, 12), QPointF(20, 12));
    case ToolPicture::FlipHorizontal:
        return DrawFlip(p, true);
    case ToolPicture::FlipVertical:
        return DrawFlip(p, false);
    case ToolPicture::RotateRight:
        return DrawRotate(p);
    case ToolPicture::Animation:
        return DrawAnimation(p);
    case ToolPicture::FilledMark:
    case ToolPicture::HollowMark:
        return;
    }
}

} // namespace

QIcon ToolIcon(ToolPicture picture) {
    const bool mark = picture == ToolPicture::FilledMark || picture == ToolPicture::HollowMark;
    QPixmap pixmap(mark ? kMarkSide : kButtonSide, mark ? kMarkSide : kButtonSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (mark)
        DrawMark(painter, picture == ToolPicture::FilledMark);
    else
        DrawButtonPicture(painter, picture);
    painter.end();
    return QIcon(pixmap);
}

} // namespace tessivar::ui
