#pragma once
// A picture area with a background colour, a picture that can be cleared, stretched painting and
// text printing at a current position in twips. While persistent drawing is on, what is drawn goes
// into the area's persistent image and survives repaints; otherwise it lies over that image only
// until the next persistent change. Text printed for keeps is held as text and drawn over the image
// at each paint, so a picture shown over the whole area stays shared with whoever gave it.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string_view>
#include <vector>

class QPainter;

class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    void setGeometryTwips(int left, int top, int width, int height);
    void setSizeTwips(int width, int height);
    int widthTwips() const;
    int heightTwips() const;

    // Setting the background colour erases what was drawn.
    void setBackColor(const QColor& color);
    QColor backColor() const { return m_backColor; }

    void setPersistentDrawing(bool on) { m_persistent = on; }
    bool persistentDrawing() const { return m_persistent; }

    // The area's picture: the base that clearing the drawing returns to.
    void setPicture(const QImage& picture);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    // Erases everything drawn, back to the picture (or the background), and homes the position.
    void clearDrawing();

    // Paints an image stretched over a rectangle in twips, ignoring its aspect ratio.
    void paintPicture(const QImage& image, int left, int top, int width, int height);
    void paintPictureOverArea(const QImage& image);

    void setFontSize(double points);
    double fontSize() const { return m_fontPoints; }
    // Narrows the print font in percent of its normal width (100), for texts laid out for a narrower face.
    void setFontStretch(int percent) { m_fontStretch = percent; }
    void setForeColor(const QColor& color) { m_foreColor = color; }
    QColor foreColor() const { return m_foreColor; }
    void setCurrentX(int twips) { m_currentX = twips; }
    void setCurrentY(int twips) { m_currentY = twips; }
    void setPosition(int xTwips, int yTwips);
    int currentX() const { return m_currentX; }
    int currentY() const { return m_currentY; }
    int textHeightTwips() const;

    // The text's top left stands at the current position; CR LF continues at x = 0 on the next
    // line, and afterwards the position is the start of the line below.
    void print(std::string_view text);
    // A 16-bit number, with a blank before it (the place of its sign) and one behind.
    void printNumber(std::int16_t number);

    // What the area shows now, for tests and the thumbnail copy.
    QImage shownImage();

signals:
    void mousePressed(int button, int xTwips, int yTwips);
    void mouseReleased(int button, int xTwips, int yTwips);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage& target();
    QImage& transient();
    void resetImage();
    void ensureImages();
    QFont printFont() const;
    void flattenCaptions();
    void drawCaptions(QPainter& painter) const;

    // A text printed for keeps, drawn over the persistent image until something else is drawn for keeps.
    struct Caption {
        QFont font;
        QColor color;
        QPointF at;
        QString text;
    };

    QColor m_backColor{255, 255, 255};
    QColor m_foreColor{0, 0, 0};
    QImage m_picture;
    QImage m_image;                  // persistent image
    std::vector<Caption> m_captions; // over the persistent image
    QImage m_transient;              // drawn while persistent drawing is off; null while nothing is
    bool m_persistent = false;
    double m_fontPoints = 8.25;
    int m_fontStretch = 100;
    int m_currentX = 0;
    int m_currentY = 0;
};
