#include "Scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace scenery {

qreal uniform(Random& random, qreal low, qreal high) {
    return std::uniform_real_distribution<qreal>(low, high)(random);
}

void sky(QPainter& p, const QColor& top, const QColor& horizon, qreal horizonY) {
    QLinearGradient gradient(0, 0, 0, horizonY);
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, horizon);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), gradient);
}

void sun(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient glow(centre, radius * 5);
    QColor halo = colour;
    halo.setAlpha(110);
    glow.setColorAt(0.0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1.0, halo);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 5, radius * 5);
    p.setBrush(colour.lighter(115));
    p.drawEllipse(centre, radius, radius);
}

void moon(QPainter& p, const QPointF& centre, qreal radius) {
    sun(p, centre, radius, QColor(240, 240, 220));
    p.setBrush(QColor(210, 210, 196));
    p.drawEllipse(centre + QPointF(-radius * 0.3, radius * 0.2), radius * 0.18, radius * 0.18);
    p.drawEllipse(centre + QPointF(radius * 0.35, -radius * 0.25), radius * 0.12, radius * 0.12);
}

void clouds(QPainter& p, Random& random, int count, qreal top, qreal bottom, const QColor& colour) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF centre(uniform(random, -50, kWidth + 50), uniform(random, top, bottom));
        const qreal size = uniform(random, 40, 90);
        for (int puff = 0; puff < 7; ++puff) {
            const QPointF at =
                centre + QPointF(uniform(random, -1.6, 1.6) * size, uniform(random, -0.3, 0.25) * size);
            const qreal r = size * uniform(random, 0.45, 0.8);
            QRadialGradient soft(at, r);
            QColor c = colour;
            soft.setColorAt(0.0, c);
            c.setAlpha(colour.alpha() * 2 / 3);
            soft.setColorAt(0.6, c);
            c.setAlpha(0);
            soft.setColorAt(1.0, c);
            p.setBrush(soft);
            p.drawEllipse(at, r * 1.4, r);
        }
    }
}

void stars(QPainter& p, Random& random, int count, qreal bottom) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const int alpha = static_cast<int>(uniform(random, 90, 255));
        p.setBrush(QColor(255, 255, 235, alpha));
        const qreal r = uniform(random, 0.6, 1.9);
        p.drawEllipse(QPointF(uniform(random, 0, kWidth), uniform(random, 0, bottom)), r, r);
    }
}

void hill(QPainter& p, qreal baseY, qreal amplitude, qreal phase, const QColor& colour) {
    QPainterPath path;
    path.moveTo(0, kHeight);
    for (int x = 0; x <= static_cast<int>(kWidth); x += 8) {
        const qreal y =
            baseY - amplitude * (0.6 * std::sin(x / 260.0 + phase) + 0.4 * std::sin(x / 97.0 + 2 * phase));
        path.lineTo(x, y);
    }
    path.lineTo(kWidth, kHeight);
    path.closeSubpath();
    QLinearGradient shade(0, baseY - amplitude, 0, kHeight);
    shade.setColorAt(0.0, colour.lighter(112));
    shade.setColorAt(1.0, colour.darker(135));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawPath(path);
}

void ground(QPainter& p, qreal top, const QColor& near, const QColor& far) {
    QLinearGradient gradient(0, top, 0, kHeight);
    gradient.setColorAt(0.0, far);
    gradient.setColorAt(1.0, near);
    p.fillRect(QRectF(0, top, kWidth, kHeight - top), gradient);
}

namespace {

void foliageBlob(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient light(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.3);
    light.setColorAt(0.0, colour.lighter(135));
    light.setColorAt(1.0, colour.darker(140));
    p.setBrush(light);
    p.drawEllipse(centre, radius, radius);
}

void pineTree(QPainter& p, const QPointF& base, qreal height, TreeKind kind) {
    const bool snowy = kind == TreeKind::Snowy;
    const QColor needles = kind == TreeKind::Silhouette ? QColor(26, 18, 30) : QColor(34, 86, 52);
    for (int tier = 0; tier < 4; ++tier) {
        const qreal bottom = base.y() - height * (0.12 + tier * 0.2);
        const qreal half = height * (0.32 - tier * 0.06);
        const QPolygonF tierShape({QPointF(base.x() - half, bottom), QPointF(base.x() + half, bottom),
                                   QPointF(base.x(), bottom - height * 0.38)});
        p.setBrush(kind == TreeKind::Silhouette ? needles : needles.darker(100 + tier * 6));
        p.drawPolygon(tierShape);
        if (snowy) {
            p.setBrush(QColor(248, 250, 255));
            p.drawPolygon(QPolygonF({QPointF(base.x() - half * 0.55, bottom - height * 0.14),
                                     QPointF(base.x() + half * 0.2, bottom - height * 0.2),
                                     QPointF(base.x(), bottom - height * 0.38)}));
        }
    }
}

} // namespace

void tree(QPainter& p, const QPointF& base, qreal height, TreeKind kind, Random& random) {
    p.setPen(Qt::NoPen);
    p.setBrush(kind == TreeKind::Silhouette ? QColor(26, 18, 30) : QColor(92, 64, 40));
    p.drawRect(QRectF(base.x() - height * 0.04, base.y() - height * 0.45, height * 0.08, height * 0.45));
    if (kind == TreeKind::Pine || kind == TreeKind::Snowy || kind == TreeKind::Silhouette) {
        pineTree(p, base, height, kind);
        return;
    }
    const QColor leaf = kind == TreeKind::Autumn ? QColor(210, 110, 36) : QColor(64, 128, 56);
    for (int blob = 0; blob < 6; ++blob) {
        const QPointF at(base.x() + uniform(random, -0.22, 0.22) * height,
                         base.y() - height * uniform(random, 0.55, 0.85));
        QColor tint = leaf;
        if (kind == TreeKind::Autumn && blob % 2 == 1)
            tint = QColor(190, 60, 30);
        foliageBlob(p, at, height * uniform(random, 0.2, 0.28), tint);
    }
}

void house(QPainter& p, const QRectF& body, const HouseLook& look) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(body.translated(10, 6));
    QLinearGradient wall(body.topLeft(), body.topRight());
    wall.setColorAt(0.0, look.wall.lighter(108));
    wall.setColorAt(1.0, look.wall.darker(115));
    p.setBrush(wall);
    p.drawRect(body);
    const QPolygonF roof({body.topLeft() + QPointF(-body.width() * 0.08, 2),
                          body.topRight() + QPointF(body.width() * 0.08, 2),
                          QPointF(body.center().x(), body.top() - body.height() * 0.62)});
    p.setBrush(look.roof);
    p.drawPolygon(roof);
    if (look.snow) {
        p.setBrush(QColor(246, 248, 255));
        p.drawPolygon(
            QPolygonF({roof[0] + QPointF(6, -4), roof[1] + QPointF(-6, -4), roof[2] + QPointF(0, -6)}));
    }
    p.setBrush(look.roof.darker(130));
    p.drawRect(QRectF(body.right() - body.width() * 0.25, body.top() - body.height() * 0.55,
                      body.width() * 0.08, body.height() * 0.35));
    const QColor pane = look.lit ? QColor(255, 214, 120) : QColor(150, 190, 220);
    const qreal w = body.width() * 0.16;
    const qreal h = body.height() * 0.26;
    for (qreal fx : {0.12, 0.72}) {
        const QRectF glass(body.left() + body.width() * fx, body.top() + body.height() * 0.22, w, h);
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(glass.adjusted(-4, -4, 4, 4));
        p.setBrush(pane);
        p.drawRect(glass);
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(QRectF(glass.center().x() - 2, glass.top(), 4, glass.height()));
    }
    const QRectF door(body.center().x() - w * 0.55, body.bottom() - body.height() * 0.48, w * 1.1,
                      body.height() * 0.48);
    p.setBrush(QColor(120, 60, 40));
    p.drawRect(door);
    p.setBrush(QColor(230, 190, 80));
    p.drawEllipse(QPointF(door.right() - 8, door.center().y()), 3, 3);
}

void fence(QPainter& p, qreal y, qreal left, qreal right, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(110));
    p.drawRect(QRectF(left, y - 34, right - left, 6));
    p.drawRect(QRectF(left, y - 16, right - left, 6));
    p.setBrush(colour);
    for (qreal x = left; x < right; x += 22)
        p.drawPolygon(QPolygonF({QPointF(x, y), QPointF(x, y - 44), QPointF(x + 6, y - 52),
                                 QPointF(x + 12, y - 44), QPointF(x + 12, y)}));
}

void flowers(QPainter& p, Random& random, const QRectF& area, int count) {
    const QColor petals[] = {{236, 64, 96}, {250, 210, 60}, {240, 240, 250}, {170, 90, 210}, {250, 140, 60}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(uniform(random, area.left(), area.right()),
                         uniform(random, area.top(), area.bottom()));
        const qreal depth = (at.y() - area.top()) / area.height();
        const qreal r = 2.5 + depth * 5;
        p.setBrush(QColor(40, 110, 40));
        p.drawRect(QRectF(at.x() - 0.8, at.y(), 1.6, r * 3));
        p.setBrush(petals[i % 5]);
        p.drawEllipse(at, r, r);
        p.setBrush(QColor(250, 230, 120));
        p.drawEllipse(at, r * 0.35, r * 0.35);
    }
}

void water(QPainter& p, qreal top, const QColor& deep, const QColor& glint, Random& random) {
    QLinearGradient gradient(0, top, 0, kHeight);
    gradient.setColorAt(0.0, glint);
    gradient.setColorAt(0.15, deep.lighter(120));
    gradient.setColorAt(1.0, deep);
    p.fillRect(QRectF(0, top, kWidth, kHeight - top), gradient);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 140; ++i) {
        const qreal y = uniform(random, top + 4, kHeight);
        const qreal depth = (y - top) / (kHeight - top);
        QColor streak = glint;
        streak.setAlpha(static_cast<int>(150 * (1 - depth)) + 20);
        p.setBrush(streak);
        p.drawRect(
            QRectF(uniform(random, 0, kWidth), y, uniform(random, 20, 90) * (0.4 + depth), 1.5 + depth * 2));
    }
}

void snowfall(QPainter& p, Random& random, int count) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const qreal r = uniform(random, 1, 4);
        p.setBrush(QColor(255, 255, 255, static_cast<int>(uniform(random, 140, 240))));
        p.drawEllipse(QPointF(uniform(random, 0, kWidth), uniform(random, 0, kHeight)), r, r);
    }
}

void rain(QPainter& p, Random& random, int count) {
    p.setPen(QPen(QColor(220, 230, 245, 110), 1.2));
    for (int i = 0; i < count; ++i) {
        const QPointF at(uniform(random, 0, kWidth + 100), uniform(random, -40, kHeight));
        p.drawLine(at, at + QPointF(-10, 34));
    }
}

void leaves(QPainter& p, Random& random, const QRectF& area, int count) {
    const QColor tones[] = {{214, 120, 40}, {190, 70, 36}, {232, 170, 60}, {150, 70, 30}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        p.save();
        p.translate(uniform(random, area.left(), area.right()), uniform(random, area.top(), area.bottom()));
        p.rotate(uniform(random, 0, 360));
        p.setBrush(tones[i % 4]);
        p.drawEllipse(QPointF(0, 0), uniform(random, 4, 9), uniform(random, 2, 4));
        p.restore();
    }
}

} // namespace scenery
