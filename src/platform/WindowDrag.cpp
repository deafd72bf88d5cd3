#include "WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace {
const QString kTrackerName = QStringLiteral("windowDragTracker");

// Remembers the press of the left button alone and the last mouse position seen by the window, so
// the window moves by exactly the distance the mouse has travelled since the press.
class DragTracker : public QObject {
public:
    explicit DragTracker(QWidget& window) : QObject(&window), m_window(window) {
        setObjectName(kTrackerName);
        window.installEventFilter(this);
    }

    void follow() {
        if (m_dragging)
            m_window.move(m_windowAtPress + (m_cursor - m_cursorAtPress));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_dragging = mouse->button() == Qt::LeftButton && mouse->buttons() == Qt::LeftButton;
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
    QPoint m_cursorAtPress;
    QPoint m_cursor;
    QPoint m_windowAtPress;
};

DragTracker* trackerOf(QWidget& window) {
    return static_cast<DragTracker*>(window.findChild<QObject*>(kTrackerName, Qt::FindDirectChildrenOnly));
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
        new DragTracker(window);
}

void startWindowDrag(QWidget& window) {
    QWidget& topLevel = *window.window();
    if (DragTracker* tracker = trackerOf(topLevel))
        tracker->follow();
}
