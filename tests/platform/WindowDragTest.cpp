// A caption-less window dragged by its face follows the mouse exactly, from the press to the release.

#include "platform/WindowDrag.h"
#include "EventWait.h"
#include "platform/FramelessWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct DraggedWindow {
    DraggedWindow() {
        window.setSizeTwips(7305, 8415);
        window.move(100, 80);
        QObject::connect(&window, &FramelessWindow::faceMouseMoved, [this](int button) {
            if (button == 1)
                startWindowDrag(window);
        });
        child.setGeometry(200, 200, 50, 50);
        window.show();
    }
    // Local and global positions agree with where the window stands when the event is sent.
    void send(QWidget& receiver, QEvent::Type type, QPoint global, Qt::MouseButton button,
              Qt::MouseButtons held) {
        const QPointF local = receiver.mapFromGlobal(QPointF(global));
        QMouseEvent event(type, local, QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(&receiver, &event);
    }

    FramelessWindow window;
    QWidget child{&window};
};
} // namespace

TEST(WindowDragTest, FollowsTheMouseFromPressToRelease) {
    DraggedWindow drag;
    const QPoint start = drag.window.pos();
    const QPoint press = start + QPoint(30, 20);
    drag.send(drag.window, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 10; ++step) {
        const QPoint travelled(10 * step, 5 * step);
        drag.send(drag.window, QEvent::MouseMove, press + travelled, Qt::NoButton, Qt::LeftButton);
        ASSERT_EQ(drag.window.pos(), start + travelled) << "step " << step;
        if (step == 1) {
            EXPECT_EQ(startWindowDrag(drag.window), DragRoad::OwnMoves);
        }
    }
    drag.send(drag.window, QEvent::MouseButtonRelease, press + QPoint(100, 50), Qt::LeftButton, Qt::NoButton);
    drag.send(drag.window, QEvent::MouseMove, press + QPoint(300, 300), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(drag.window.pos(), start + QPoint(100, 50)) << "no move after the release";
}

TEST(WindowDragTest, OnlyALeftPressOnTheFaceDrags) {
    DraggedWindow drag;
    const QPoint start = drag.window.pos();
    const QPoint press = start + QPoint(30, 20);
    drag.send(drag.window, QEvent::MouseButtonPress, press, Qt::RightButton, Qt::RightButton);
    drag.send(drag.window, QEvent::MouseMove, press + QPoint(40, 40), Qt::NoButton, Qt::RightButton);
    drag.send(drag.window, QEvent::MouseButtonRelease, press + QPoint(40, 40), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(drag.window.pos(), start);

    // A press that a control took for itself is no drag of the window, even when the moves reach it.
    drag.child.setAttribute(Qt::WA_NoMousePropagation);
    const QPoint onChild = drag.child.mapToGlobal(QPoint(5, 5));
    drag.send(drag.child, QEvent::MouseButtonPress, onChild, Qt::LeftButton, Qt::LeftButton);
    drag.send(drag.window, QEvent::MouseMove, onChild + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(drag.window.pos(), start);
}

// Wayland lets no window place itself: the compositor is asked to move it, once per press. Runs
// under a compositor (under-weston.sh); elsewhere it has nothing to show.
TEST(WindowDragTest, OnWaylandTheCompositorMovesTheWindow) {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        GTEST_SKIP() << "not on Wayland";
    DraggedWindow drag;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&drag.window, kEventLimitMs)) << "the window shows";
    const QPoint press = drag.window.mapToGlobal(QPoint(30, 20));
    drag.send(drag.window, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(startWindowDrag(drag.window), DragRoad::Compositor);
    drag.send(drag.window, QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(startWindowDrag(drag.window), DragRoad::None) << "no drag after the release";
}
