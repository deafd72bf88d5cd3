// Loaded into a program before it starts (LD_PRELOAD): when the program's first window has painted
// its first frame, children included, and the X server has taken that frame, prints "painted"; then
// ends the process once it has settled (what it does after its first frame, such as decoding pages
// ahead, is in its peak memory). The program itself is not changed, so what is measured is exactly
// what it does; the floor program is measured through the same probe.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace {

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Ends the process once all its threads together spent under a millisecond of CPU in 20 ms, or after
// a second at most; first copies its memory map to the file BRINDLECOVE_PROBE_SMAPS names, if any,
// to see where the memory went.
void exitWhenSettled(int checksLeft = 50, double cpuBefore = -1) {
    const double cpu = cpuMilliseconds();
    if (checksLeft == 0 || (cpuBefore >= 0 && cpu - cpuBefore < 1)) {
        if (const char* copy = std::getenv("BRINDLECOVE_PROBE_SMAPS"))
            std::ofstream(copy) << std::ifstream("/proc/self/smaps").rdbuf();
        std::_Exit(0);
    }
    QTimer::singleShot(20, [=] { exitWhenSettled(checksLeft - 1, cpu); });
}

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
                exitWhenSettled();
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
