#include "WindowDrag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

// Remembers the press of the left button alone and the last mouse position seen by the window, so
// the window moves by exactly the distance the mouse has travelled since the press.
class WindowDragTracker : public QObject {
    Q_OBJECT
public:
    explicit WindowDragTracker(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }

    DragRoad follow() {
        if (!m_dragging)
            return DragRoad::None;
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            // The compositor keeps the pointer until the release, which may never reach us.
            if (!m_handedOver && m_window.windowHandle())
                m_window.windowHandle()->startSystemMove();
            m_handedOver = true;
            return DragRoad::Compositor;
        }
        m_window.move(m_windowAtPress + (m_cursor - m_cursorAtPress));
        return DragRoad::OwnMoves;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_dragging = mouse->button() == Qt::LeftButton && mouse->buttons() == Qt::LeftButton;
            m_handedOver = false;
            m_cursorAtPress = m_cursor = mouse->globalPosition().toPoint();
            m_windowAtPress = m_window.pos();
            break;
        }
        case QEvent::MouseMove:
            m_cursor = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget& m_window;
    bool m_dragging = false;
    bool m_handedOver = false;
    QPoint m_cursorAtPress;
    QPoint m_cursor;
    QPoint m_windowAtPress;
};

namespace {
WindowDragTracker* trackerOf(QWidget& window) {
    return window.findChild<WindowDragTracker*>(QString(), Qt::FindDirectChildrenOnly);
}
} // namespace

int buttonWord(Qt::MouseButtons buttons) {
    int word = 0;
    if (buttons & Qt::LeftButton)
        word |= 1;
    if (buttons & Qt::RightButton)
        word |= 2;
    if (buttons & Qt::MiddleButton)
        word |= 4;
    return word;
}

void trackWindowDrag(QWidget& window) {
    if (!trackerOf(window))
        new WindowDragTracker(window);
}

DragRoad startWindowDrag(QWidget& window) {
    QWidget& topLevel = *window.window();
    WindowDragTracker* tracker = trackerOf(topLevel);
    return tracker ? tracker->follow() : DragRoad::None;
}

#include "WindowDrag.moc"
