// The anchor of a page turn: a plain Qt window of the main window's size that shows, where the main
// window shows its page, one of the pictures named on its command line, all decoded at start at the
// size shown. Right shows the next picture, Page Down the tenth after it, Home the first.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <vector>

namespace {

class Picture final : public QWidget {
public:
    explicit Picture(std::vector<QImage> images, QWidget* parent)
        : QWidget(parent), m_images(std::move(images)) {}

    void step(int pages) {
        m_shown = pages == 0 ? 0 : (m_shown + pages) % static_cast<int>(m_images.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_images[m_shown]); }

private:
    std::vector<QImage> m_images;
    int m_shown = 0;
};

class Window final : public QWidget {
public:
    explicit Window(std::vector<QImage> images) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setFixedSize(487, 561);
        m_picture = new Picture(std::move(images), this);
        m_picture->setGeometry(43, 59, 400, 300); // where the main window shows its page
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Right)
            m_picture->step(1);
        else if (event->key() == Qt::Key_PageDown)
            m_picture->step(10);
        else if (event->key() == Qt::Key_Home)
            m_picture->step(0);
    }

private:
    Picture* m_picture = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    std::vector<QImage> images;
    for (int i = 1; i < argc; ++i)
        images.push_back(QImage(QString::fromLocal8Bit(argv[i]))
                             .scaled(400, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32));
    if (images.empty())
        return 2;
    Window window(std::move(images));
    window.show();
    return QApplication::exec();
}
