#include "FramelessWindow.h"

#include "Twips.h"
#include "WindowDrag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

FramelessWindow::FramelessWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setMouseTracking(true);
    trackWindowDrag(*this);
}

void FramelessWindow::setFacePicture(const QImage& picture) {
    m_face = picture;
    update();
}

void FramelessWindow::setSizeTwips(int width, int height) {
    setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

void FramelessWindow::moveTwips(int left, int top) {
    move(twipsToPixels(left), twipsToPixels(top));
}

void FramelessWindow::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void FramelessWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!QRect(QPoint(0, 0), m_face.size()).contains(rect()))
        painter.fillRect(rect(), palette().window());
    if (m_face.isNull())
        return;
    // In bands: the controls cut holes in what the face may cover, and Qt hands a clipped picture
    // of many lines to a pool of new threads, whose start costs more than the copy.
    constexpr int kBandLines = 16;
    const QRect exposed = event->rect();
    for (int top = exposed.top() - exposed.top() % kBandLines; top <= exposed.bottom(); top += kBandLines) {
        const QRect band(0, top, m_face.width(), kBandLines);
        painter.drawImage(band.topLeft(), m_face, band);
    }
}

void FramelessWindow::mouseMoveEvent(QMouseEvent* event) {
    emit faceMouseMoved(buttonWord(event->buttons()));
}

void FramelessWindow::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit faceMousePressed(buttonWord(event->button()), pixelsToTwips(static_cast<int>(at.x())),
                          pixelsToTwips(static_cast<int>(at.y())));
}
