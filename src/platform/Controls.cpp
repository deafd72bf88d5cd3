#include "Controls.h"

#include <QMouseEvent>
#include <QPainter>

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void TransparentLabel::setTextColor(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(palette);
}

void TransparentLabel::setDisabledTextColor(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color);
    setPalette(palette);
}

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {}

void ColorButton::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void ColorButton::setTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

// Painted by hand: a flat face in the button's colour with a one-pixel bevel, sunk while pressed.
void ColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    const bool down = isDown();
    painter.fillRect(face, down ? m_backColor.darker(130) : m_backColor);
    const QColor light = m_backColor.lighter(150);
    const QColor dark = m_backColor.darker(190);
    painter.setPen(down ? dark : light);
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    if (hasFocus()) {
        painter.setPen(QPen(m_textColor, 1, Qt::DotLine));
        painter.drawRect(face.adjusted(2, 2, -3, -3));
    }
    painter.setPen(isEnabled() ? m_textColor : m_backColor.lighter(135));
    painter.setFont(font());
    painter.drawText(face.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

ImageHotspot::ImageHotspot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void ImageHotspot::setHighlight(int state) {
    m_highlight = state;
    update();
}

void ImageHotspot::paintEvent(QPaintEvent*) {
    if (m_highlight == 0)
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(255, 236, 160), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ImageHotspot::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageHotspot::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::setPictureFile(const QString& path) {
    m_path = path;
    m_source = QImage();
    m_picture = QPixmap();
    update();
}

void PictureButton::setPicture(const QImage& picture) {
    m_path.clear();
    m_source = picture;
    m_picture = QPixmap();
    update();
}

const QPixmap& PictureButton::picture() {
    if (m_picture.isNull() && !m_source.isNull())
        m_picture = QPixmap::fromImage(m_source);
    if (m_picture.isNull() && !m_path.isEmpty())
        m_picture.load(m_path);
    return m_picture;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture().isNull())
        painter.drawPixmap(0, 0, m_picture);
    if (isDown())
        painter.fillRect(rect(), QColor(0, 0, 0, 60));
}
