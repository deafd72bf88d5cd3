// Loaded into a program before it starts (LD_PRELOAD): when the program's first window has painted
// its first frame, children included, and the X server has taken that frame, prints "painted" and
// ends the process at once. The program
// itself is not changed, so what is measured is exactly what it does before its first paint; the
// floor program is measured through the same probe.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // The children paint within the same frame; the queued call runs once it is done.
            QTimer::singleShot(0, [] {
                // A round trip: the server answers only after the requests before it, the frame's
                // among them. Offscreen the frame is in the backing store already.
                auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
                if (auto* x11 = gui ? gui->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
                    std::free(xcb_get_input_focus_reply(x11->connection(),
                                                        xcb_get_input_focus(x11->connection()), nullptr));
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void watchFirstPaint() {
    QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)
