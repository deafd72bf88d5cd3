#pragma once
// Drawing materials shared by every picture of the window artwork: tooled leather, gilt frames,
// stitching, parchment medallions. Everything is deterministic, so the PNGs only change when the
// drawing code does.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace art {

// The album's colours: oxblood leather, old gold, parchment and the ink drawn on it.
QColor leather();
QColor leatherDark();
QColor gold();
QColor goldLight();
QColor goldDark();
QColor parchment();
QColor ink();

// A leather surface with mottling and fine grain; the same seed gives the same hide.
QImage leatherTexture(QSize size, const QColor& base, quint32 seed);

// Darkens the edges of a rectangle, as light falls off towards a book's edges.
void vignette(QPainter& painter, const QRectF& area, qreal strength);

// A gilt moulding of the given width whose inner edge is the rectangle's inner edge.
void goldFrame(QPainter& painter, const QRectF& outer, qreal width);

// A single tooled gold line.
void goldHairline(QPainter& painter, const QRectF& rect, qreal radius = 0);

// Saddle stitching along a rounded rectangle.
void stitching(QPainter& painter, const QRectF& rect, qreal radius);

// A raised parchment disc with a gold rim; muted discs are blind-tooled into the leather.
void medallion(QPainter& painter, const QPointF& centre, qreal radius, bool muted = false);

// A brass corner protector; dx and dy (+1 or -1) point from the corner into the page.
void cornerProtector(QPainter& painter, const QPointF& corner, int dx, int dy, qreal size);

// A dark recessed plate with a gold hairline, for the places where controls and texts stand.
void recessedPlate(QPainter& painter, const QRectF& rect, qreal radius);

// A small diamond fleuron of tooled gold.
void fleuron(QPainter& painter, const QPointF& centre, qreal size);

// Parchment with faint fibres, for labels and cards.
void parchmentFill(QPainter& painter, const QRectF& rect, qreal radius, quint32 seed);

} // namespace art
