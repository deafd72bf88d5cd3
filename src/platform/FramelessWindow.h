#pragma once
// A caption-less window of fixed size whose face is one picture. Mouse moves over the face are
// reported with the button word (1 left, 2 right, 4 middle); the owner decides when to drag.

#include <QImage>
#include <QWidget>

class FramelessWindow : public QWidget {
    Q_OBJECT
public:
    explicit FramelessWindow(QWidget* parent = nullptr);

    void setFacePicture(const QImage& picture);
    void setSizeTwips(int width, int height);
    void moveTwips(int left, int top);
    void centreOnScreen();

signals:
    void faceMouseMoved(int button);
    void faceMousePressed(int button, int xTwips, int yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_face;
};
