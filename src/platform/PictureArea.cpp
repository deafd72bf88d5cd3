#include "PictureArea.h"

#include "QtText.h"
#include "Twips.h"
#include "WindowDrag.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <optional>

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted here, so Qt need not paint the window's face beneath first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::setGeometryTwips(int left, int top, int width, int height) {
    setGeometry(twipsRect(left, top, width, height));
}

void PictureArea::setSizeTwips(int width, int height) {
    resize(twipsToPixels(width), twipsToPixels(height));
}
int PictureArea::widthTwips() const {
    return pixelsToTwips(width());
}
int PictureArea::heightTwips() const {
    return pixelsToTwips(height());
}

void PictureArea::setBackColor(const QColor& color) {
    m_backColor = color;
    clearDrawing();
}

void PictureArea::setPicture(const QImage& picture) {
    m_picture = picture;
    clearDrawing();
}

void PictureArea::clearPicture() {
    m_picture = QImage();
    clearDrawing();
}

void PictureArea::clearDrawing() {
    m_image = QImage();
    m_transient = QImage();
    m_captions.clear();
    m_currentX = 0;
    m_currentY = 0;
    update();
}

// The images are made at the area's size when first drawn into or shown.
void PictureArea::ensureImages() {
    if (m_image.size() == size().expandedTo(QSize(1, 1)))
        return;
    const QImage oldImage = m_image;
    const QImage oldTransient = m_transient;
    resetImage();
    // A resized area keeps what was drawn at its top left.
    if (!oldImage.isNull())
        QPainter(&m_image).drawImage(0, 0, oldImage);
    if (!oldTransient.isNull())
        QPainter(&transient()).drawImage(0, 0, oldTransient);
}

void PictureArea::resetImage() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
    // Made when something is first drawn loose: the start screen and a page draw only for keeps.
    m_transient = QImage();
}

QImage& PictureArea::transient() {
    if (m_transient.size() != m_image.size()) {
        m_transient = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
        m_transient.fill(Qt::transparent);
    }
    return m_transient;
}

QImage& PictureArea::target() {
    ensureImages();
    if (m_persistent) {
        // The persistent image is what the screen shows next, so earlier loose drawing is gone.
        m_transient = QImage();
        // What is drawn now lies over the captions printed before.
        flattenCaptions();
        return m_image;
    }
    return transient();
}

void PictureArea::paintPicture(const QImage& image, int left, int top, int width, int height) {
    {
        QPainter painter(&target());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(twipsRect(left, top, width, height), image);
    }
    update();
}

void PictureArea::paintPictureOverArea(const QImage& image) {
    if (m_persistent && image.size() == size() && image.format() == QImage::Format_RGB32) {
        // Already the area's size: shared rather than copied, as the captions printed over it are
        // drawn at paint time (drawing anything else on it later copies it first).
        m_image = image;
        m_transient = QImage();
        m_captions.clear();
        update();
        return;
    }
    QImage& drawn = target();
    {
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size()), image);
    }
    update();
}

void PictureArea::setFontSize(double points) {
    m_fontPoints = points;
}

void PictureArea::setPosition(int xTwips, int yTwips) {
    m_currentX = xTwips;
    m_currentY = yTwips;
}

QFont PictureArea::printFont() const {
    QFont font = fontForPoints(kSansFamily, m_fontPoints);
    if (m_fontStretch != 100)
        font.setStretch(m_fontStretch);
    return font;
}

int PictureArea::textHeightTwips() const {
    return pixelsToTwips(QFontMetrics(printFont()).height());
}

void PictureArea::print(std::string_view text) {
    const QFont font = printFont();
    const QFontMetrics metrics(font);
    const int lineTwips = pixelsToTwips(metrics.height());
    const QStringList lines = qText(text).split(QStringLiteral("\r\n"));
    {
        // Printed for keeps, the text is kept as text over the persistent image; loosely, it is
        // drawn into the loose layer.
        std::optional<QPainter> painter;
        if (m_persistent) {
            ensureImages();
            m_transient = QImage();
        } else {
            painter.emplace(&target());
            painter->setPen(m_foreColor);
        }
        int x = m_currentX;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                x = 0;
                m_currentY += lineTwips;
            }
            if (lines[i].isEmpty())
                continue;
            const QPointF at(x / double(kTwipsPerPixel),
                             m_currentY / double(kTwipsPerPixel) + metrics.ascent());
            const QFont lineFont = fontFor(font, lines[i]);
            if (painter) {
                painter->setFont(lineFont);
                painter->drawText(at, lines[i]);
            } else {
                m_captions.push_back({lineFont, m_foreColor, at, lines[i]});
            }
        }
    }
    m_currentX = 0;
    m_currentY += lineTwips;
    update();
}

void PictureArea::printNumber(std::int16_t number) {
    // A number prints with a leading blank where its sign would stand, and a trailing blank.
    std::string text = number < 0 ? "" : " ";
    text += std::to_string(number);
    text += ' ';
    print(text);
}

void PictureArea::flattenCaptions() {
    if (m_captions.empty())
        return;
    QPainter painter(&m_image);
    drawCaptions(painter);
    m_captions.clear();
}

void PictureArea::drawCaptions(QPainter& painter) const {
    for (const Caption& caption : m_captions) {
        painter.setFont(caption.font);
        painter.setPen(caption.color);
        painter.drawText(caption.at, caption.text);
    }
}

QImage PictureArea::shownImage() {
    ensureImages();
    QImage shown = m_image.copy();
    if (!m_captions.empty()) {
        QPainter painter(&shown);
        drawCaptions(painter);
    }
    if (!m_transient.isNull())
        QPainter(&shown).drawImage(0, 0, m_transient);
    return shown;
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Nothing drawn and no picture: the background alone, without an image the size of the area
    // (the full-screen backdrop covers the screen).
    if (m_image.isNull() && m_picture.isNull()) {
        painter.fillRect(event->rect(), m_backColor);
        return;
    }
    ensureImages();
    painter.drawImage(0, 0, m_image);
    drawCaptions(painter);
    if (!m_transient.isNull())
        painter.drawImage(0, 0, m_transient);
}

void PictureArea::resizeEvent(QResizeEvent*) {
    if (!m_image.isNull())
        ensureImages();
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mousePressed(buttonWord(event->button()), pixelsToTwips(int(at.x())), pixelsToTwips(int(at.y())));
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mouseReleased(buttonWord(event->button()), pixelsToTwips(int(at.x())), pixelsToTwips(int(at.y())));
    if (event->button() == Qt::LeftButton && rect().contains(at.toPoint()))
        emit clicked();
}
