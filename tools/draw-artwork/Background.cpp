#include "ArtKit.h"
#include "Layout.h"
#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace art {

namespace {

// The frame sits just outside the picture area, so the page picture covers none of it.
QRectF pictureFrame() {
    return kPictureArea.adjusted(-6, -5, 6, 5);
}

// One dark plate holds the navigation row, the story text box and the mode line beneath them. It
// runs off the bottom edge: the mode line stands too close to the edge for a border below it.
QRectF controlPlate() {
    const QRectF controls = kNavigationRow.united(kStoryText).united(kModeLine).united(kBragLine);
    const qreal top = pictureFrame().bottom() + 4.5;
    return QRectF(controls.left() - 4, top, controls.width() + 8, kBackgroundSize.height() + 8 - top);
}

void drawCover(QPainter& painter) {
    const QRectF whole(QPointF(0, 0), QSizeF(kBackgroundSize));
    painter.drawImage(0, 0, leatherTexture(kBackgroundSize, leather(), 0x5eed1e));
    vignette(painter, whole, 0.55);
    painter.setPen(QPen(QColor(20, 10, 6), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(whole.adjusted(1, 1, -1, -1));
    goldHairline(painter, whole.adjusted(3.5, 3.5, -3.5, -3.5), 3);
    stitching(painter, whole.adjusted(8.5, 8.5, -8.5, -8.5), 6);
    const qreal right = whole.right();
    const qreal bottom = whole.bottom();
    cornerProtector(painter, QPointF(0, 0), 1, 1, 26);
    cornerProtector(painter, QPointF(right, 0), -1, 1, 26);
    cornerProtector(painter, QPointF(0, bottom), 1, -1, 26);
    cornerProtector(painter, QPointF(right, bottom), -1, -1, 26);
}

void drawTitlePlate(QPainter& painter) {
    const qreal left = kViewHotspot.right() + 8;
    const QRectF plate(left, 13, kToolbar.front().rect.left() - 10 - left, 36);
    parchmentFill(painter, plate, 3, 0x7a11e);
    goldHairline(painter, plate.adjusted(2.5, 2.5, -2.5, -2.5), 2);
    painter.save();
    QFont title("Liberation Serif", 15, QFont::Bold);
    title.setItalic(true);
    title.setPixelSize(19);
    painter.setFont(title);
    painter.setPen(ink());
    painter.drawText(plate.adjusted(0, 2, 0, -10), Qt::AlignCenter, "Brindlecove");
    QFont small("Liberation Serif");
    small.setPixelSize(9);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    painter.setFont(small);
    painter.setPen(QColor(120, 72, 40));
    painter.drawText(plate.adjusted(0, 22, 0, -2), Qt::AlignCenter, "STORYBOOK ALBUM");
    painter.restore();
}

void drawToolbar(QPainter& painter) {
    for (const Hotspot& spot : kToolbar) {
        const QPointF centre = spot.rect.center();
        medallion(painter, centre, 12.5);
        drawGlyph(painter, spot.glyph, QRectF(centre - QPointF(7.5, 7.5), QSizeF(15, 15)), ink());
    }
    // The details hotspot is never enabled: its medallion is only blind-tooled.
    const QPointF centre = kViewHotspot.center();
    medallion(painter, centre, 11, true);
    drawGlyph(painter, Glyph::Info, QRectF(centre - QPointF(6, 6), QSizeF(12, 12)), QColor(150, 96, 64));
}

void drawMargins(QPainter& painter) {
    const QRectF frame = pictureFrame();
    const qreal top = frame.top() + 40;
    const qreal bottom = frame.bottom() - 14;
    for (qreal x : {frame.left() / 2 + 1, (frame.right() + kBackgroundSize.width()) / 2 - 1}) {
        painter.save();
        painter.setPen(QPen(QColor(20, 10, 5, 120), 1));
        painter.drawLine(QPointF(x + 0.7, top + 0.7), QPointF(x + 0.7, bottom + 0.7));
        painter.setPen(QPen(gold(), 1));
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        painter.restore();
        fleuron(painter, QPointF(x, top - 8), 6);
        fleuron(painter, QPointF(x, bottom + 8), 6);
        fleuron(painter, QPointF(x, (top + bottom) / 2), 4.5);
    }
}

void drawPictureFrame(QPainter& painter) {
    goldFrame(painter, pictureFrame(), 6);
    // The picture area paints its own face; the fill only shows if it is ever smaller.
    painter.fillRect(kPictureArea, QColor(96, 96, 146));
}

void drawControlPlate(QPainter& painter) {
    recessedPlate(painter, controlPlate(), 3);
    painter.fillRect(kStoryText, QColor(0, 0, 64));
    // A groove behind the navigation buttons.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 8, 5));
    painter.drawRoundedRect(kNavigationRow.adjusted(-1, -1, 1, 1), 2, 2);
    painter.restore();
    // A thin tooled rule between the story box and the mode line.
    const qreal y = kStoryText.bottom() + 1.5;
    painter.setPen(QPen(QColor(150, 110, 50), 1));
    painter.drawLine(QPointF(kStoryText.left() + 8, y), QPointF(kStoryText.right() - 8, y));
}

} // namespace

QImage drawBackground() {
    QImage image(kBackgroundSize, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    drawCover(painter);
    drawMargins(painter);
    drawTitlePlate(painter);
    drawPictureFrame(painter);
    drawControlPlate(painter);
    drawToolbar(painter);
    return image;
}

} // namespace art
