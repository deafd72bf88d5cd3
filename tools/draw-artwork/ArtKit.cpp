#include "ArtKit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace art {

QColor leather() {
    return {104, 50, 32};
}
QColor leatherDark() {
    return {38, 22, 15};
}
QColor gold() {
    return {214, 172, 86};
}
QColor goldLight() {
    return {250, 226, 156};
}
QColor goldDark() {
    return {122, 84, 34};
}
QColor parchment() {
    return {246, 234, 204};
}
QColor ink() {
    return {66, 36, 20};
}

namespace {

// Smoothly interpolated random values on a square grid of the given cell size.
class ValueNoise {
public:
    ValueNoise(QSize size, int cell, std::mt19937& random)
        : m_cell(cell), m_columns(size.width() / cell + 2), m_rows(size.height() / cell + 2) {
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        m_values.resize(static_cast<size_t>(m_columns * m_rows));
        for (float& value : m_values)
            value = unit(random);
    }

    float at(int x, int y) const {
        const float fx = static_cast<float>(x) / m_cell;
        const float fy = static_cast<float>(y) / m_cell;
        const int ix = static_cast<int>(fx);
        const int iy = static_cast<int>(fy);
        const float tx = smooth(fx - ix);
        const float ty = smooth(fy - iy);
        const float top = lerp(value(ix, iy), value(ix + 1, iy), tx);
        const float bottom = lerp(value(ix, iy + 1), value(ix + 1, iy + 1), tx);
        return lerp(top, bottom, ty);
    }

private:
    static float smooth(float t) { return t * t * (3 - 2 * t); }
    static float lerp(float a, float b, float t) { return a + (b - a) * t; }
    float value(int x, int y) const { return m_values[static_cast<size_t>(y * m_columns + x)]; }

    int m_cell;
    int m_columns;
    int m_rows;
    std::vector<float> m_values;
};

int clampChannel(float value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

} // namespace

QImage leatherTexture(QSize size, const QColor& base, quint32 seed) {
    std::mt19937 random(seed);
    const ValueNoise mottle(size, 40, random);
    const ValueNoise patch(size, 9, random);
    const ValueNoise grain(size, 3, random);
    std::uniform_real_distribution<float> speck(-1.0f, 1.0f);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // Pebbled hide: the grain is folded so that creases read darker than the bumps.
            const float pebble = 1.0f - 2.0f * std::fabs(grain.at(x, y));
            const float shade = 1.0f + 0.10f * mottle.at(x, y) + 0.05f * patch.at(x, y) + 0.05f * pebble +
                                0.025f * speck(random);
            line[x] = qRgb(clampChannel(base.red() * shade), clampChannel(base.green() * shade),
                           clampChannel(base.blue() * shade));
        }
    }
    return image;
}

void vignette(QPainter& painter, const QRectF& area, qreal strength) {
    const qreal radius = std::hypot(area.width(), area.height()) / 2;
    QRadialGradient shade(area.center(), radius);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, static_cast<int>(255 * strength)));
    painter.fillRect(area, shade);
}

void goldFrame(QPainter& painter, const QRectF& outer, qreal width) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath ring;
    ring.addRoundedRect(outer, 2, 2);
    ring.addRect(outer.adjusted(width, width, -width, -width));
    // A soft shadow under the moulding lifts it off the leather; inside it falls on the picture.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawPath(ring.translated(1.5, 2));

    QLinearGradient metal(outer.topLeft(), outer.bottomRight());
    metal.setColorAt(0.0, goldLight());
    metal.setColorAt(0.35, gold());
    metal.setColorAt(0.55, goldDark());
    metal.setColorAt(0.75, gold());
    metal.setColorAt(1.0, goldDark());
    painter.setBrush(metal);
    painter.drawPath(ring);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(70, 44, 16), 1));
    painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.setPen(QPen(QColor(255, 240, 190, 150), 1));
    painter.drawRect(outer.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    painter.setPen(QPen(QColor(60, 36, 12), 1));
    painter.drawRect(outer.adjusted(width - 0.5, width - 0.5, -width + 0.5, -width + 0.5));
    painter.restore();
}

void goldHairline(QPainter& painter, const QRectF& rect, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 10, 5, 140), 1));
    painter.drawRoundedRect(rect.translated(0.7, 0.7), radius, radius);
    painter.setPen(QPen(gold(), 1));
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

void stitching(QPainter& painter, const QRectF& rect, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    QPen holes(QColor(30, 14, 8, 160), 1.6);
    holes.setDashPattern({2.2, 1.8});
    painter.setPen(holes);
    painter.drawRoundedRect(rect.translated(0.6, 0.8), radius, radius);
    QPen thread(QColor(226, 196, 140), 1.2);
    thread.setDashPattern({2.2, 1.8});
    painter.setPen(thread);
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

void medallion(QPainter& painter, const QPointF& centre, qreal radius, bool muted) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (muted) {
        painter.setBrush(QColor(255, 220, 180, 28));
        painter.drawEllipse(centre + QPointF(0.8, 0.8), radius, radius);
        painter.setBrush(QColor(0, 0, 0, 70));
        painter.drawEllipse(centre, radius, radius);
        painter.restore();
        return;
    }
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre + QPointF(1.2, 1.8), radius, radius);
    QLinearGradient rim(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    rim.setColorAt(0.0, goldLight());
    rim.setColorAt(0.5, gold());
    rim.setColorAt(1.0, goldDark());
    painter.setBrush(rim);
    painter.drawEllipse(centre, radius, radius);
    QRadialGradient face(centre - QPointF(radius / 3, radius / 3), radius * 1.2);
    face.setColorAt(0.0, QColor(255, 248, 226));
    face.setColorAt(1.0, QColor(222, 202, 158));
    painter.setBrush(face);
    painter.drawEllipse(centre, radius - 2.2, radius - 2.2);
    painter.restore();
}

void cornerProtector(QPainter& painter, const QPointF& corner, int dx, int dy, qreal size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.moveTo(corner);
    plate.lineTo(corner + QPointF(dx * size, 0));
    plate.quadTo(corner + QPointF(dx * size * 0.35, dy * size * 0.35), corner + QPointF(0, dy * size));
    plate.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 100));
    painter.drawPath(plate.translated(dx * 1.0, dy * 1.5));
    QLinearGradient metal(corner, corner + QPointF(dx * size, dy * size));
    metal.setColorAt(0.0, goldLight());
    metal.setColorAt(0.6, gold());
    metal.setColorAt(1.0, goldDark());
    painter.setBrush(metal);
    painter.setPen(QPen(QColor(90, 60, 20), 0.8));
    painter.drawPath(plate);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 50, 18));
    painter.drawEllipse(corner + QPointF(dx * size * 0.22, dy * size * 0.22), 1.4, 1.4);
    painter.restore();
}

void recessedPlate(QPainter& painter, const QRectF& rect, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 220, 180, 35));
    painter.drawRoundedRect(rect.translated(0.8, 1.0), radius, radius);
    QLinearGradient depth(rect.topLeft(), rect.bottomLeft());
    depth.setColorAt(0.0, QColor(24, 13, 9));
    depth.setColorAt(0.08, leatherDark());
    depth.setColorAt(1.0, QColor(44, 26, 18));
    painter.setBrush(depth);
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
    goldHairline(painter, rect.adjusted(-2.5, -2.5, 2.5, 2.5), radius + 2);
}

void fleuron(QPainter& painter, const QPointF& centre, qreal size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath diamond;
    diamond.moveTo(centre + QPointF(0, -size));
    diamond.quadTo(centre + QPointF(size * 0.15, -size * 0.15), centre + QPointF(size * 0.6, 0));
    diamond.quadTo(centre + QPointF(size * 0.15, size * 0.15), centre + QPointF(0, size));
    diamond.quadTo(centre + QPointF(-size * 0.15, size * 0.15), centre + QPointF(-size * 0.6, 0));
    diamond.quadTo(centre + QPointF(-size * 0.15, -size * 0.15), centre + QPointF(0, -size));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 10, 5, 120));
    painter.drawPath(diamond.translated(0.7, 0.7));
    painter.setBrush(gold());
    painter.drawPath(diamond);
    painter.restore();
}

void parchmentFill(QPainter& painter, const QRectF& rect, qreal radius, quint32 seed) {
    const QSize size = rect.size().toSize();
    QImage paper = leatherTexture(size, parchment(), seed);
    {
        // Old paper browns towards its edges rather than greying.
        QPainter tint(&paper);
        const QRectF area(QPointF(0, 0), rect.size());
        QRadialGradient age(area.center(), std::hypot(area.width(), area.height()) / 2);
        age.setColorAt(0.0, QColor(255, 250, 235, 60));
        age.setColorAt(0.55, QColor(200, 150, 80, 0));
        age.setColorAt(1.0, QColor(160, 100, 40, 110));
        tint.fillRect(area, age);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 100));
    painter.drawPath(shape.translated(1.2, 1.8));
    painter.setClipPath(shape);
    painter.drawImage(rect.topLeft(), paper);
    painter.restore();
}

} // namespace art
