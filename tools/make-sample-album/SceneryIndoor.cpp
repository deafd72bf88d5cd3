#include "Scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace scenery {

void person(QPainter& p, const QPointF& feet, qreal height, const Figure& look) {
    const qreal unit = height / 8;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawEllipse(feet + QPointF(unit * 0.6, 0), unit * 1.6, unit * 0.35);
    p.setBrush(look.legs);
    p.drawRoundedRect(QRectF(feet.x() - unit * 0.8, feet.y() - unit * 3.6, unit * 0.7, unit * 3.6), 3, 3);
    p.drawRoundedRect(QRectF(feet.x() + unit * 0.1, feet.y() - unit * 3.6, unit * 0.7, unit * 3.6), 3, 3);
    QLinearGradient shirt(feet.x() - unit, 0, feet.x() + unit, 0);
    shirt.setColorAt(0.0, look.shirt.lighter(115));
    shirt.setColorAt(1.0, look.shirt.darker(120));
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(feet.x() - unit * 1.05, feet.y() - unit * 6.6, unit * 2.1, unit * 3.3),
                      unit * 0.6, unit * 0.6);
    p.setBrush(look.skin);
    p.drawRoundedRect(QRectF(feet.x() - unit * 1.45, feet.y() - unit * 6.3, unit * 0.45, unit * 2.6), 4, 4);
    p.drawRoundedRect(QRectF(feet.x() + unit * 1.0, feet.y() - unit * 6.3, unit * 0.45, unit * 2.6), 4, 4);
    const QPointF head(feet.x(), feet.y() - unit * 7.25);
    p.drawEllipse(head, unit * 0.75, unit * 0.85);
    p.setBrush(look.hair);
    p.drawChord(QRectF(head.x() - unit * 0.8, head.y() - unit * 0.95, unit * 1.6, unit * 1.5), 0, 180 * 16);
}

void balloon(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    p.setPen(QPen(QColor(240, 240, 240, 180), 1));
    p.drawLine(centre + QPointF(0, radius * 1.2), centre + QPointF(radius * 0.3, radius * 4.5));
    QRadialGradient shine(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    shine.setColorAt(0.0, colour.lighter(160));
    shine.setColorAt(1.0, colour.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius * 1.2);
}

void bunting(QPainter& p, const QPointF& from, const QPointF& to, qreal sag) {
    const QColor flags[] = {{230, 70, 70}, {250, 200, 60}, {70, 150, 220}, {90, 190, 110}, {240, 130, 190}};
    p.setPen(QPen(QColor(250, 250, 250, 200), 1.5));
    QPainterPath line;
    line.moveTo(from);
    line.quadTo((from + to) / 2 + QPointF(0, sag * 2), to);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.setPen(Qt::NoPen);
    const int count = 14;
    for (int i = 0; i < count; ++i) {
        const qreal t = (i + 0.5) / count;
        const QPointF at = line.pointAtPercent(t);
        p.setBrush(flags[i % 5]);
        p.drawPolygon(QPolygonF({at + QPointF(-11, 0), at + QPointF(11, 0), at + QPointF(0, 26)}));
    }
}

void table(QPainter& p, const QRectF& top, const QColor& cloth) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(top.left(), top.bottom() + top.height() * 2.2, top.width(), top.height() * 0.6));
    p.setBrush(QColor(110, 76, 50));
    p.drawRect(QRectF(top.left() + 14, top.bottom(), 10, top.height() * 2.4));
    p.drawRect(QRectF(top.right() - 24, top.bottom(), 10, top.height() * 2.4));
    QLinearGradient folds(top.topLeft(), top.topRight());
    for (int i = 0; i <= 8; ++i)
        folds.setColorAt(i / 8.0, i % 2 == 0 ? cloth : cloth.darker(112));
    p.setBrush(folds);
    p.drawPolygon(
        QPolygonF({top.topLeft(), top.topRight(), top.bottomRight() + QPointF(8, top.height() * 1.2),
                   top.bottomLeft() + QPointF(-8, top.height() * 1.2)}));
    p.setBrush(cloth.lighter(115));
    p.drawRect(top);
}

void room(QPainter& p, const QColor& wall, const QColor& floor, qreal floorY) {
    QLinearGradient light(0, 0, kWidth, 0);
    light.setColorAt(0.0, wall.darker(115));
    light.setColorAt(0.5, wall.lighter(108));
    light.setColorAt(1.0, wall.darker(120));
    p.fillRect(QRectF(0, 0, kWidth, floorY), light);
    p.setPen(QPen(QColor(0, 0, 0, 18), 2));
    for (qreal x = 20; x < kWidth; x += 48)
        p.drawLine(QPointF(x, 0), QPointF(x, floorY));
    QLinearGradient boards(0, floorY, 0, kHeight);
    boards.setColorAt(0.0, floor.darker(125));
    boards.setColorAt(1.0, floor.lighter(110));
    p.fillRect(QRectF(0, floorY, kWidth, kHeight - floorY), boards);
    p.setPen(QPen(floor.darker(150), 1.5));
    for (int i = -12; i <= 12; ++i)
        p.drawLine(QPointF(kWidth / 2 + i * 20, floorY), QPointF(kWidth / 2 + i * 110, kHeight));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(248, 244, 236));
    p.drawRect(QRectF(0, floorY - 14, kWidth, 14));
}

void window(QPainter& p, const QRectF& frame, bool night) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 248, 242));
    p.drawRect(frame.adjusted(-12, -12, 12, 12));
    QLinearGradient view(frame.topLeft(), frame.bottomLeft());
    view.setColorAt(0.0, night ? QColor(14, 20, 56) : QColor(110, 170, 230));
    view.setColorAt(0.7, night ? QColor(40, 40, 90) : QColor(200, 226, 246));
    view.setColorAt(0.71, night ? QColor(16, 30, 22) : QColor(110, 170, 90));
    view.setColorAt(1.0, night ? QColor(10, 20, 14) : QColor(80, 140, 70));
    p.setBrush(view);
    p.drawRect(frame);
    p.setBrush(QColor(250, 248, 242));
    p.drawRect(QRectF(frame.center().x() - 4, frame.top(), 8, frame.height()));
    p.drawRect(QRectF(frame.left(), frame.center().y() - 4, frame.width(), 8));
    p.setBrush(QColor(200, 120, 110, 230));
    p.drawRect(QRectF(frame.left() - 40, frame.top() - 24, 44, frame.height() + 60));
    p.drawRect(QRectF(frame.right() - 4, frame.top() - 24, 44, frame.height() + 60));
}

void sofa(QPainter& p, const QRectF& body, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QRectF(body.left() - 10, body.bottom() - 10, body.width() + 20, 26));
    p.setBrush(colour.darker(120));
    p.drawRoundedRect(QRectF(body.left(), body.top(), body.width(), body.height() * 0.6), 18, 18);
    p.setBrush(colour);
    p.drawRoundedRect(
        QRectF(body.left() + 10, body.top() + body.height() * 0.45, body.width() - 20, body.height() * 0.4),
        12, 12);
    p.setBrush(colour.darker(110));
    p.drawRoundedRect(QRectF(body.left() - 14, body.top() + body.height() * 0.3, 40, body.height() * 0.6), 14,
                      14);
    p.drawRoundedRect(QRectF(body.right() - 26, body.top() + body.height() * 0.3, 40, body.height() * 0.6),
                      14, 14);
    p.setBrush(QColor(250, 210, 120));
    p.drawRoundedRect(QRectF(body.left() + 40, body.top() + body.height() * 0.18, 60, 50), 10, 10);
}

void lamp(QPainter& p, const QPointF& base, qreal height, bool lit) {
    if (lit) {
        QRadialGradient glow(base - QPointF(0, height * 0.9), height * 0.9);
        glow.setColorAt(0.0, QColor(255, 220, 150, 120));
        glow.setColorAt(1.0, QColor(255, 220, 150, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(base - QPointF(0, height * 0.9), height * 0.9, height * 0.9);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 60, 50));
    p.drawRect(QRectF(base.x() - 3, base.y() - height * 0.8, 6, height * 0.8));
    p.drawEllipse(QRectF(base.x() - 24, base.y() - 8, 48, 12));
    p.setBrush(lit ? QColor(255, 230, 170) : QColor(230, 210, 170));
    p.drawPolygon(QPolygonF(
        {QPointF(base.x() - 44, base.y() - height * 0.78), QPointF(base.x() + 44, base.y() - height * 0.78),
         QPointF(base.x() + 26, base.y() - height), QPointF(base.x() - 26, base.y() - height)}));
}

void pictureFrame(QPainter& p, const QRectF& frame, const QColor& inside) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(frame.translated(6, 6));
    p.setBrush(QColor(150, 110, 50));
    p.drawRect(frame);
    p.setBrush(inside);
    p.drawRect(frame.adjusted(10, 10, -10, -10));
    p.setBrush(inside.darker(150));
    p.drawEllipse(QRectF(frame.center().x() - frame.width() * 0.2, frame.center().y() - 10,
                         frame.width() * 0.4, frame.height() * 0.35));
}

void cake(QPainter& p, const QPointF& base, qreal width, int candles) {
    const qreal h = width * 0.42;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 246, 240));
    p.drawEllipse(QRectF(base.x() - width * 0.65, base.y() - 12, width * 1.3, 24));
    p.setBrush(QColor(246, 180, 200));
    p.drawRect(QRectF(base.x() - width / 2, base.y() - h, width, h));
    p.drawEllipse(QRectF(base.x() - width / 2, base.y() - 14, width, 28));
    p.setBrush(QColor(255, 236, 240));
    p.drawEllipse(QRectF(base.x() - width / 2, base.y() - h - 14, width, 28));
    for (int i = 0; i < candles; ++i) {
        const qreal x = base.x() - width * 0.3 + i * width * 0.6 / std::max(1, candles - 1);
        p.setBrush(i % 2 == 0 ? QColor(110, 170, 240) : QColor(250, 220, 90));
        p.drawRect(QRectF(x - 4, base.y() - h - 44, 8, 36));
        QRadialGradient flame(QPointF(x, base.y() - h - 54), 18);
        flame.setColorAt(0.0, QColor(255, 250, 200, 255));
        flame.setColorAt(0.3, QColor(255, 190, 60, 200));
        flame.setColorAt(1.0, QColor(255, 160, 40, 0));
        p.setBrush(flame);
        p.drawEllipse(QPointF(x, base.y() - h - 54), 18, 18);
    }
}

void crib(QPainter& p, const QRectF& body) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(body.left(), body.bottom() - 10, body.width(), 24));
    p.setBrush(QColor(252, 250, 246));
    p.drawRect(QRectF(body.left(), body.top(), 14, body.height()));
    p.drawRect(QRectF(body.right() - 14, body.top(), 14, body.height()));
    p.drawRect(QRectF(body.left(), body.top() + 10, body.width(), 10));
    p.drawRect(QRectF(body.left(), body.bottom() - body.height() * 0.3, body.width(), 14));
    p.setBrush(QColor(250, 200, 214));
    p.drawRoundedRect(QRectF(body.left() + 16, body.bottom() - body.height() * 0.46, body.width() - 32,
                             body.height() * 0.18),
                      10, 10);
    p.setBrush(QColor(252, 250, 246));
    for (qreal x = body.left() + 30; x < body.right() - 20; x += 24)
        p.drawRect(QRectF(x, body.top() + 20, 7, body.height() * 0.7 - 20));
}

void counter(QPainter& p, const QRectF& body, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(body);
    p.setBrush(QColor(236, 232, 224));
    p.drawRect(QRectF(body.left() - 6, body.top() - 14, body.width() + 12, 16));
    p.setPen(QPen(colour.darker(140), 2));
    for (qreal x = body.left() + body.width() / 4; x < body.right(); x += body.width() / 4)
        p.drawLine(QPointF(x, body.top() + 10), QPointF(x, body.bottom() - 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 190, 160));
    for (qreal x = body.left() + body.width() / 8; x < body.right(); x += body.width() / 4)
        p.drawRoundedRect(QRectF(x - 10, body.top() + 24, 20, 5), 2, 2);
}

void rug(QPainter& p, const QRectF& area, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(area);
    p.setBrush(colour.lighter(125));
    p.drawEllipse(area.adjusted(area.width() * 0.12, area.height() * 0.15, -area.width() * 0.12,
                                -area.height() * 0.15));
    p.setBrush(colour);
    p.drawEllipse(
        area.adjusted(area.width() * 0.25, area.height() * 0.3, -area.width() * 0.25, -area.height() * 0.3));
}

void finish(QImage& image, Random& random, qreal vignetteStrength) {
    {
        QPainter p(&image);
        const QRectF whole = image.rect();
        QRadialGradient fall(whole.center(), std::hypot(whole.width(), whole.height()) / 2);
        fall.setColorAt(0.0, QColor(0, 0, 0, 0));
        fall.setColorAt(0.65, QColor(0, 0, 0, 0));
        fall.setColorAt(1.0, QColor(0, 0, 0, static_cast<int>(255 * vignetteStrength)));
        p.fillRect(whole, fall);
    }
    std::normal_distribution<float> grain(0.0f, 3.0f);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = static_cast<int>(grain(random));
            line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                           std::clamp(qBlue(line[x]) + n, 0, 255));
        }
    }
}

} // namespace scenery
