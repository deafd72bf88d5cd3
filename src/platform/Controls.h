#pragma once
// The small controls of the windows: labels without a background of their own, push buttons
// with a background colour, image hotspots over artwork, and borderless picture buttons.

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

// A label whose text stands directly on the window's face.
class TransparentLabel : public QLabel {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    // Drawn greyed while disabled.
    void setDisabledTextColor(const QColor& color);
};

// A push button in the graphical style: flat, with a background colour of its own.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);
    void setBackColor(const QColor& color);
    QColor backColor() const { return m_backColor; }
    void setTextColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backColor{96, 96, 146};
    QColor m_textColor{255, 255, 255};
};

// A transparent clickable place over the artwork, with a tooltip and a highlight state
// (0 plain, 1 highlighted, drawn as a thin frame).
class ImageHotspot : public QWidget {
    Q_OBJECT
public:
    explicit ImageHotspot(QWidget* parent = nullptr);
    void setHighlight(int state);
    int highlight() const { return m_highlight; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_highlight = 0;
    bool m_pressed = false;
};

// A small picture that acts as a button; no border, no focus frame. The picture file is read
// when the button is first painted, since most of these start hidden.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    void setPictureFile(const QString& path);
    // A picture already in memory (built-in artwork): no file or image reader is involved.
    void setPicture(const QImage& picture);
    const QPixmap& picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
    QImage m_source;
    QPixmap m_picture;
};
