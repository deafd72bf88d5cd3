#include "Glyphs.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace art {

namespace {

// All glyphs are drawn in a unit square; strokes are given in that square's units.
QPen stroke(const QColor& ink, qreal width) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void openBook(QPainter& p, const QColor& ink) {
    QPainterPath left;
    left.moveTo(0.5, 0.30);
    left.cubicTo(0.38, 0.20, 0.22, 0.20, 0.08, 0.26);
    left.lineTo(0.08, 0.80);
    left.cubicTo(0.22, 0.74, 0.38, 0.74, 0.5, 0.84);
    left.closeSubpath();
    QTransform mirror(-1, 0, 0, 1, 1, 0);
    p.setPen(stroke(ink, 0.06));
    p.setBrush(ink);
    p.drawPath(left);
    p.drawPath(mirror.map(left));
    p.setPen(stroke(QColor(250, 240, 215), 0.035));
    for (qreal y : {0.40, 0.52, 0.64}) {
        p.drawLine(QPointF(0.16, y), QPointF(0.42, y + 0.03));
        p.drawLine(QPointF(0.58, y + 0.03), QPointF(0.84, y));
    }
}

void disk(QPainter& p, const QColor& ink, const QColor& face) {
    QPainterPath body;
    body.moveTo(0.14, 0.12);
    body.lineTo(0.72, 0.12);
    body.lineTo(0.86, 0.26);
    body.lineTo(0.86, 0.88);
    body.lineTo(0.14, 0.88);
    body.closeSubpath();
    p.setPen(stroke(ink, 0.05));
    p.setBrush(ink);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRect(QRectF(0.28, 0.14, 0.38, 0.22));
    p.drawRoundedRect(QRectF(0.24, 0.52, 0.52, 0.30), 0.04, 0.04);
    p.setBrush(ink);
    p.drawRect(QRectF(0.52, 0.17, 0.09, 0.16));
}

void quill(QPainter& p, const QColor& ink) {
    QPainterPath feather;
    feather.moveTo(0.18, 0.86);
    feather.cubicTo(0.30, 0.55, 0.55, 0.20, 0.90, 0.08);
    feather.cubicTo(0.80, 0.40, 0.55, 0.68, 0.26, 0.80);
    feather.closeSubpath();
    p.setPen(stroke(ink, 0.04));
    p.setBrush(ink);
    p.drawPath(feather);
    p.setPen(stroke(QColor(250, 240, 215), 0.035));
    p.drawLine(QPointF(0.24, 0.80), QPointF(0.74, 0.26));
    p.setPen(stroke(ink, 0.07));
    p.drawLine(QPointF(0.18, 0.86), QPointF(0.10, 0.94));
}

void camera(QPainter& p, const QColor& ink, const QColor& face) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.08, 0.30, 0.84, 0.54), 0.10, 0.10);
    p.drawRoundedRect(QRectF(0.34, 0.18, 0.32, 0.16), 0.04, 0.04);
    p.setBrush(face);
    p.drawEllipse(QPointF(0.5, 0.57), 0.20, 0.20);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0.5, 0.57), 0.12, 0.12);
    p.setBrush(face);
    p.drawEllipse(QPointF(0.46, 0.53), 0.04, 0.04);
    p.drawRect(QRectF(0.74, 0.36, 0.10, 0.06));
}

void gear(QPainter& p, const QColor& ink, const QColor& face) {
    QPainterPath wheel;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = i * std::numbers::pi / teeth;
        const qreal outer = (i % 2 == 0) ? 0.44 : 0.33;
        const qreal half = std::numbers::pi / teeth / 2.6;
        for (qreal side : {-half, half}) {
            const QPointF point(0.5 + outer * std::cos(angle + side), 0.5 + outer * std::sin(angle + side));
            if (wheel.elementCount() == 0)
                wheel.moveTo(point);
            else
                wheel.lineTo(point);
        }
    }
    wheel.closeSubpath();
    p.setPen(stroke(ink, 0.03));
    p.setBrush(ink);
    p.drawPath(wheel);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
}

void door(QPainter& p, const QColor& ink, const QColor& face) {
    p.setPen(stroke(ink, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(0.50, 0.14), QPointF(0.18, 0.14), QPointF(0.18, 0.86), QPointF(0.50, 0.86)}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(
        QPolygonF({QPointF(0.18, 0.14), QPointF(0.42, 0.22), QPointF(0.42, 0.94), QPointF(0.18, 0.86)}));
    p.setBrush(face);
    p.drawEllipse(QPointF(0.36, 0.54), 0.035, 0.035);
    p.setPen(stroke(ink, 0.09));
    p.drawLine(QPointF(0.52, 0.50), QPointF(0.86, 0.50));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(0.92, 0.50), QPointF(0.74, 0.34), QPointF(0.74, 0.66)}));
}

void info(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0.5, 0.24), 0.09, 0.09);
    p.drawRoundedRect(QRectF(0.41, 0.40, 0.18, 0.44), 0.05, 0.05);
    p.drawRect(QRectF(0.32, 0.40, 0.18, 0.07));
    p.drawRect(QRectF(0.32, 0.80, 0.36, 0.07));
}

void trash(QPainter& p, const QColor& ink) {
    p.setPen(stroke(ink, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0.14, 0.24), QPointF(0.86, 0.24));
    p.drawPolyline(
        QPolygonF({QPointF(0.38, 0.22), QPointF(0.40, 0.12), QPointF(0.60, 0.12), QPointF(0.62, 0.22)}));
    p.drawPolygon(
        QPolygonF({QPointF(0.22, 0.32), QPointF(0.78, 0.32), QPointF(0.72, 0.90), QPointF(0.28, 0.90)}));
    p.setPen(stroke(ink, 0.06));
    for (qreal x : {0.40, 0.50, 0.60})
        p.drawLine(QPointF(x, 0.42), QPointF(x, 0.80));
}

void movePage(QPainter& p, const QColor& ink) {
    p.setPen(stroke(ink, 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(0.12, 0.12), QPointF(0.46, 0.12), QPointF(0.58, 0.24),
                             QPointF(0.58, 0.52), QPointF(0.12, 0.52)}));
    p.drawLine(QPointF(0.20, 0.72), QPointF(0.80, 0.72));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(0.94, 0.72), QPointF(0.72, 0.56), QPointF(0.72, 0.88)}));
    p.drawPolygon(QPolygonF({QPointF(0.06, 0.72), QPointF(0.28, 0.56), QPointF(0.28, 0.88)}));
}

QPainterPath pinShape() {
    QPainterPath head;
    head.addRoundedRect(QRectF(0.30, 0.08, 0.40, 0.16), 0.05, 0.05);
    head.addRect(QRectF(0.38, 0.22, 0.24, 0.22));
    QPainterPath collar;
    collar.moveTo(0.22, 0.56);
    collar.lineTo(0.78, 0.56);
    collar.lineTo(0.66, 0.42);
    collar.lineTo(0.34, 0.42);
    collar.closeSubpath();
    return head.united(collar);
}

void pin(QPainter& p, const QColor& ink, bool pulled) {
    p.save();
    p.translate(0.5, 0.5);
    p.rotate(pulled ? -30 : 30);
    p.translate(-0.5, pulled ? -0.58 : -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(pinShape());
    p.setPen(stroke(ink, 0.06));
    p.drawLine(QPointF(0.5, 0.56), QPointF(0.5, pulled ? 0.82 : 0.94));
    p.restore();
    if (pulled) {
        // A small dimple where the pin stood shows that it has been taken out.
        p.setPen(stroke(ink, 0.05));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0.5, 0.90), 0.14, 0.05);
    }
}

void foldUp(QPainter& p, const QColor& ink) {
    p.setPen(stroke(ink, 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(0.20, 0.50), QPointF(0.50, 0.22), QPointF(0.80, 0.50)}));
    p.drawPolyline(QPolygonF({QPointF(0.20, 0.80), QPointF(0.50, 0.52), QPointF(0.80, 0.80)}));
}

void wrench(QPainter& p, const QColor& ink) {
    p.save();
    p.translate(0.5, 0.5);
    p.rotate(45);
    p.translate(-0.5, -0.5);
    QPainterPath tool;
    tool.addEllipse(QPointF(0.5, 0.20), 0.20, 0.20);
    tool.addRoundedRect(QRectF(0.42, 0.30, 0.16, 0.62), 0.07, 0.07);
    tool.setFillRule(Qt::WindingFill);
    QPainterPath jaw;
    jaw.addRect(QRectF(0.43, -0.02, 0.14, 0.22));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(tool.simplified().subtracted(jaw));
    p.restore();
}

void toolbox(QPainter& p, const QColor& ink, const QColor& face) {
    p.setPen(stroke(ink, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(0.36, 0.36), QPointF(0.38, 0.20), QPointF(0.62, 0.20), QPointF(0.64, 0.36)}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.10, 0.36, 0.80, 0.50), 0.06, 0.06);
    p.setBrush(face);
    p.drawRect(QRectF(0.10, 0.54, 0.80, 0.05));
    p.drawRect(QRectF(0.44, 0.50, 0.12, 0.13));
}

void reverse(QPainter& p, const QColor& ink) {
    p.setPen(stroke(ink, 0.09));
    p.drawLine(QPointF(0.14, 0.32), QPointF(0.74, 0.32));
    p.drawLine(QPointF(0.26, 0.70), QPointF(0.86, 0.70));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(0.94, 0.32), QPointF(0.70, 0.14), QPointF(0.70, 0.50)}));
    p.drawPolygon(QPolygonF({QPointF(0.06, 0.70), QPointF(0.30, 0.52), QPointF(0.30, 0.88)}));
}

} // namespace

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& ink) {
    const QColor face = ink.lightness() > 128 ? QColor(60, 24, 18) : QColor(246, 234, 204);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width(), box.height());
    switch (glyph) {
    case Glyph::OpenBook:
        openBook(painter, ink);
        break;
    case Glyph::Disk:
        disk(painter, ink, face);
        break;
    case Glyph::DiskAs:
        painter.save();
        painter.translate(-0.06, -0.04);
        painter.scale(0.86, 0.86);
        disk(painter, ink, face);
        painter.restore();
        painter.translate(0.42, 0.42);
        painter.scale(0.58, 0.58);
        painter.setPen(Qt::NoPen);
        painter.setBrush(face);
        painter.drawEllipse(QPointF(0.5, 0.5), 0.5, 0.5);
        quill(painter, ink);
        break;
    case Glyph::Quill:
        quill(painter, ink);
        break;
    case Glyph::Camera:
        camera(painter, ink, face);
        break;
    case Glyph::Gear:
        gear(painter, ink, face);
        break;
    case Glyph::Door:
        door(painter, ink, face);
        break;
    case Glyph::Info:
        info(painter, ink);
        break;
    case Glyph::Trash:
        trash(painter, ink);
        break;
    case Glyph::MovePage:
        movePage(painter, ink);
        break;
    case Glyph::Pin:
        pin(painter, ink, false);
        break;
    case Glyph::Unpin:
        pin(painter, ink, true);
        break;
    case Glyph::FoldUp:
        foldUp(painter, ink);
        break;
    case Glyph::Wrench:
        wrench(painter, ink);
        break;
    case Glyph::Toolbox:
        toolbox(painter, ink, face);
        break;
    case Glyph::Reverse:
        reverse(painter, ink);
        break;
    }
    painter.restore();
}

} // namespace art
