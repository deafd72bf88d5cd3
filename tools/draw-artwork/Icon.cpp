#include "ArtKit.h"
#include "Pictures.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace art {

namespace {

// The little photograph on the album's cover: a house on a hill under an evening sky.
void drawCoverPhoto(QPainter& painter, const QRectF& photo) {
    painter.save();
    painter.setClipRect(photo);
    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0.0, QColor(96, 150, 214));
    sky.setColorAt(0.7, QColor(250, 206, 150));
    painter.fillRect(photo, sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 170));
    painter.drawEllipse(QPointF(photo.right() - 26, photo.top() + 28), 13, 13);
    QPainterPath hill;
    hill.moveTo(photo.bottomLeft());
    hill.lineTo(photo.left(), photo.bottom() - 34);
    hill.quadTo(photo.center().x(), photo.bottom() - 70, photo.right(), photo.bottom() - 30);
    hill.lineTo(photo.bottomRight());
    hill.closeSubpath();
    painter.setBrush(QColor(74, 140, 62));
    painter.drawPath(hill);
    const QRectF house(photo.left() + 34, photo.bottom() - 70, 34, 26);
    painter.setBrush(QColor(246, 238, 220));
    painter.drawRect(house);
    painter.setBrush(QColor(176, 52, 40));
    painter.drawPolygon(QPolygonF({house.topLeft() + QPointF(-5, 1), house.topRight() + QPointF(5, 1),
                                   QPointF(house.center().x(), house.top() - 18)}));
    painter.setBrush(QColor(90, 60, 40));
    painter.drawRect(QRectF(house.center().x() - 4, house.bottom() - 14, 8, 14));
    painter.restore();
    painter.setPen(QPen(QColor(60, 36, 12), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(photo);
}

} // namespace

QImage drawApplicationIcon() {
    const QSize size(256, 256);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF cover(30, 18, 196, 218);
    // Page edges peek out below and to the right of the cover.
    painter.setPen(QPen(QColor(150, 120, 80), 1.5));
    painter.setBrush(QColor(246, 236, 210));
    painter.drawRoundedRect(cover.adjusted(8, 8, 8, 8), 14, 14);

    QPainterPath shape;
    shape.addRoundedRect(cover, 16, 16);
    painter.save();
    painter.setClipPath(shape);
    painter.drawImage(cover.topLeft(), leatherTexture(cover.size().toSize(), leather(), 0x1c0));
    vignette(painter, cover, 0.45);
    painter.fillRect(QRectF(cover.left(), cover.top(), 30, cover.height()), QColor(30, 14, 8, 120));
    for (qreal y : {cover.top() + 30, cover.bottom() - 34})
        painter.fillRect(QRectF(cover.left(), y, 30, 6), gold());
    painter.restore();
    painter.setPen(QPen(QColor(40, 18, 10), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);

    const QRectF panel(cover.left() + 44, cover.top() + 22, cover.width() - 62, cover.height() - 44);
    goldHairline(painter, panel, 6);
    const QRectF photo(panel.left() + 14, panel.top() + 20, panel.width() - 28, 104);
    goldFrame(painter, photo.adjusted(-7, -7, 7, 7), 7);
    drawCoverPhoto(painter, photo);
    fleuron(painter, QPointF(panel.center().x(), photo.bottom() + 30), 11);
    fleuron(painter, QPointF(panel.center().x() - 26, photo.bottom() + 30), 6);
    fleuron(painter, QPointF(panel.center().x() + 26, photo.bottom() + 30), 6);
    cornerProtector(painter, cover.topRight() + QPointF(-1, 1), -1, 1, 40);
    cornerProtector(painter, cover.bottomRight() + QPointF(-1, -1), -1, -1, 40);

    // A silk ribbon hangs from the bottom of the album.
    QPainterPath ribbon;
    ribbon.moveTo(150, cover.bottom() - 6);
    ribbon.lineTo(168, cover.bottom() - 6);
    ribbon.lineTo(168, 252);
    ribbon.lineTo(159, 244);
    ribbon.lineTo(150, 252);
    ribbon.closeSubpath();
    painter.setPen(QPen(QColor(70, 10, 16), 1));
    painter.setBrush(QColor(176, 30, 44));
    painter.drawPath(ribbon);
    return image;
}

} // namespace art
