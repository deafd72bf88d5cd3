#pragma once
// Brushes for painting the sample snapshots: skies, hills, houses, trees, people and rooms, on a
// 1024 x 768 canvas (a painter scaled to the picture's real size). Every element takes its
// randomness from the caller, so a scene looks the same on every run.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <random>

namespace scenery {

inline constexpr qreal kWidth = 1024;
inline constexpr qreal kHeight = 768;

using Random = std::mt19937;
qreal uniform(Random& random, qreal low, qreal high);

// Outdoors.
void sky(QPainter& p, const QColor& top, const QColor& horizon, qreal horizonY);
void sun(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour);
void moon(QPainter& p, const QPointF& centre, qreal radius);
void clouds(QPainter& p, Random& random, int count, qreal top, qreal bottom, const QColor& colour);
void stars(QPainter& p, Random& random, int count, qreal bottom);
void hill(QPainter& p, qreal baseY, qreal amplitude, qreal phase, const QColor& colour);
void ground(QPainter& p, qreal top, const QColor& near, const QColor& far);
enum class TreeKind { Round, Pine, Autumn, Snowy, Silhouette };
void tree(QPainter& p, const QPointF& base, qreal height, TreeKind kind, Random& random);
struct HouseLook {
    QColor wall;
    QColor roof;
    bool lit = false;
    bool snow = false;
};
void house(QPainter& p, const QRectF& body, const HouseLook& look);
void fence(QPainter& p, qreal y, qreal left, qreal right, const QColor& colour);
void flowers(QPainter& p, Random& random, const QRectF& area, int count);
void water(QPainter& p, qreal top, const QColor& deep, const QColor& glint, Random& random);
void snowfall(QPainter& p, Random& random, int count);
void rain(QPainter& p, Random& random, int count);
void leaves(QPainter& p, Random& random, const QRectF& area, int count);

// People and party things.
struct Figure {
    QColor shirt;
    QColor legs;
    QColor hair;
    QColor skin = QColor(236, 196, 160);
};
void person(QPainter& p, const QPointF& feet, qreal height, const Figure& look);
void balloon(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour);
void bunting(QPainter& p, const QPointF& from, const QPointF& to, qreal sag);
void table(QPainter& p, const QRectF& top, const QColor& cloth);

// Indoors.
void room(QPainter& p, const QColor& wall, const QColor& floor, qreal floorY);
void window(QPainter& p, const QRectF& frame, bool night);
void sofa(QPainter& p, const QRectF& body, const QColor& colour);
void lamp(QPainter& p, const QPointF& base, qreal height, bool lit);
void pictureFrame(QPainter& p, const QRectF& frame, const QColor& inside);
void cake(QPainter& p, const QPointF& base, qreal width, int candles);
void crib(QPainter& p, const QRectF& body);
void counter(QPainter& p, const QRectF& body, const QColor& colour);
void rug(QPainter& p, const QRectF& area, const QColor& colour);

// A photograph's finish: light fall-off at the edges and a little grain.
void finish(QImage& image, Random& random, qreal vignetteStrength);

} // namespace scenery
