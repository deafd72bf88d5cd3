#include "ArtKit.h"
#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace art {

namespace {

// Side buttons hang from the top edge of the picture like ribbon bookmarks; the top seven pixels
// of most of them are hidden above the picture, so the glyph sits in the lower part of the tab.
constexpr QSize kTabSize(24, 28);
constexpr qreal kHiddenTop = 7;

QPainterPath tabShape() {
    QPainterPath path;
    path.moveTo(0.5, 0);
    path.lineTo(23.5, 0);
    path.lineTo(23.5, 23);
    path.quadTo(23.5, 27.5, 19, 27.5);
    path.lineTo(5, 27.5);
    path.quadTo(0.5, 27.5, 0.5, 23);
    path.closeSubpath();
    return path;
}

} // namespace

QImage drawSideButton(Glyph glyph, TabGroup group) {
    const QColor ribbon = group == TabGroup::Page ? QColor(142, 30, 40) : QColor(30, 88, 64);
    QImage image(kTabSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient silk(0, 0, kTabSize.width(), 0);
    silk.setColorAt(0.0, ribbon.darker(135));
    silk.setColorAt(0.45, ribbon.lighter(125));
    silk.setColorAt(1.0, ribbon.darker(150));
    painter.setPen(QPen(QColor(40, 14, 10), 1));
    painter.setBrush(silk);
    painter.drawPath(tabShape());
    painter.setPen(QPen(gold(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2.5, kHiddenTop - 1.5, 19, 27.5 - kHiddenTop - 1), 3, 3);
    drawGlyph(painter, glyph, QRectF(4.5, kHiddenTop + 1.5, 15, 15), QColor(250, 236, 200));
    return image;
}

QImage drawSavingPicture() {
    const QSize size(142, 78);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(1, 1, size.width() - 3.5, size.height() - 3.5);
    parchmentFill(painter, card, 5, 0x5a7e);
    goldFrame(painter, card, 3);
    goldHairline(painter, card.adjusted(6.5, 6.5, -6.5, -6.5), 2);
    medallion(painter, QPointF(30, 38), 17);
    drawGlyph(painter, Glyph::Quill, QRectF(19, 27, 22, 22), ink());
    QFont title("Liberation Serif");
    title.setPixelSize(21);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(ink());
    painter.drawText(QRectF(52, 14, 80, 30), Qt::AlignLeft | Qt::AlignVCenter, "Saving");
    QFont note("Liberation Sans");
    note.setPixelSize(10);
    painter.setFont(note);
    painter.setPen(QColor(110, 70, 40));
    painter.drawText(QRectF(53, 42, 80, 16), Qt::AlignLeft | Qt::AlignVCenter, "please wait...");
    return image;
}

QImage drawAboutBackground() {
    const QSize size(358, 222);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    painter.drawImage(0, 0, leatherTexture(size, QColor(70, 36, 24), 0xab0a7));
    vignette(painter, whole, 0.5);
    painter.setPen(QPen(QColor(20, 10, 6), 2));
    painter.drawRect(whole.adjusted(1, 1, -1, -1));
    goldHairline(painter, whole.adjusted(3.5, 3.5, -3.5, -3.5), 2);
    // A frame for the icon, which the box shows on white at (16, 16), 36 x 36.
    goldFrame(painter, QRectF(12, 12, 44, 44), 4);
    painter.fillRect(QRectF(16, 16, 36, 36), Qt::white);
    // A calm, darker field behind the greyed disclaimer keeps it readable.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(22, 12, 8, 150));
    painter.drawRoundedRect(QRectF(10, 60, 338, 90), 4, 4);
    painter.restore();
    goldHairline(painter, QRectF(10.5, 60.5, 337, 89), 4);
    cornerProtector(painter, QPointF(whole.right(), 0), -1, 1, 20);
    cornerProtector(painter, QPointF(whole.right(), whole.bottom()), -1, -1, 20);
    cornerProtector(painter, QPointF(0, whole.bottom()), 1, -1, 20);
    fleuron(painter, QPointF(179, 207), 5);
    fleuron(painter, QPointF(164, 207), 3);
    fleuron(painter, QPointF(194, 207), 3);
    return image;
}

QImage drawInfoBackground() {
    const QSize size(358, 222);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    painter.drawImage(0, 0, leatherTexture(size, QColor(64, 40, 44), 0x1f0b3));
    vignette(painter, whole, 0.5);
    painter.setPen(QPen(QColor(20, 10, 6), 2));
    painter.drawRect(whole.adjusted(1, 1, -1, -1));
    goldHairline(painter, whole.adjusted(3.5, 3.5, -3.5, -3.5), 2);
    cornerProtector(painter, QPointF(0, 0), 1, 1, 14);
    cornerProtector(painter, QPointF(whole.right(), 0), -1, 1, 14);
    cornerProtector(painter, QPointF(whole.right(), whole.bottom()), -1, -1, 14);
    cornerProtector(painter, QPointF(0, whole.bottom()), 1, -1, 14);
    fleuron(painter, QPointF(306, 206), 4);
    return image;
}

} // namespace art
