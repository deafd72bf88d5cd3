// Entering full-screen mode until the enlarged page is painted, and leaving it until the window
// layout is painted again, against the least any window must do for the same change in the same
// run: a plain window resized between the window's size and the screen's and painted whole, and on
// entry the scaled decode of the page at its enlarged size as well. Each entry meets a page whose
// enlarged picture was not decoded before; leaving finds the window-size picture it showed before.

#include "BenchSupport.h"
#include "MainWindowProbe.h"
#include "controller/AppMode.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"

namespace {

constexpr int kPages = 8;

// A caption-less window that fills what it is asked to paint with one colour.
class PlainWindow final : public QWidget {
public:
    PlainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent* event) override { QPainter(this).fillRect(event->rect(), QColor(0, 0, 64)); }
};

// Runs the event loop a little, so that the repaint of the main window the plain one exposed when
// hidden is done before the next side is timed.
void settle() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// Resizes the plain window and waits for its frame at the X server.
double resizeAndPaint(PlainWindow& plain, const QSize& size) {
    const auto start = std::chrono::steady_clock::now();
    const int before = bench::paints().count;
    plain.setFixedSize(size);
    bench::awaitFrame(before);
    return bench::millisecondsSince(start);
}

// Entering full screen on a page whose enlarged picture was not decoded before, to the frame at the
// X server, against that page's scaled decode at the full-screen size and a plain window growing
// from the window's size to the screen's; leaving it again against the plain window shrinking back
// (leaving decodes nothing: the window-size picture is kept).
void toggle(benchmark::State& state, bool enter, int width, int height) {
    bench::PhotoAlbum album(kPages, width, height);
    bench::Window<> app(album.file("Storybook.xml"));
    app.window.show();
    if (app.state.controller().mode() != AppMode::ViewStorybook)
        std::abort();
    const QSize windowSize = app.window.size();
    PlainWindow plain;
    const QRect screen = app.window.screen()->geometry();
    plain.move(screen.topLeft());
    int page = 0;
    const auto timedToggle = [&] {
        const auto start = std::chrono::steady_clock::now();
        const int before = bench::paints().count;
        app.window.runCommand(Command::ToggleFullScreen);
        bench::awaitFrame(before);
        return bench::millisecondsSince(start);
    };
    QSize fullSize;
    bench::measurePair(
        state,
        [&] {
            page = (page + 1) % kPages;
            app.state.controller().setCurrentPage(static_cast<std::int16_t>(page));
            app.window.snapshots().clear();
            const int before = bench::paints().count;
            app.window.DisplayCurrentPage();
            app.window.refresh();
            bench::awaitFrame(before);
            app.window.snapshots().waitUntilIdle();
            if (enter) {
                const double milliseconds = timedToggle();
                fullSize = controls(app.window).pbxShow->size();
                timedToggle();
                return milliseconds;
            }
            timedToggle();
            return timedToggle();
        },
        [&] {
            const QSize screenSize = screen.size();
            plain.setFixedSize(enter ? windowSize : screenSize);
            const int shown = bench::paints().count;
            plain.show();
            bench::awaitFrame(shown);
            double milliseconds = 0;
            if (enter) {
                const auto start = std::chrono::steady_clock::now();
                if (decodePicture(album.snapshots[static_cast<std::size_t>(page)], fullSize).isNull())
                    std::abort();
                milliseconds = bench::millisecondsSince(start) + resizeAndPaint(plain, screenSize);
            } else {
                milliseconds = resizeAndPaint(plain, windowSize);
            }
            plain.hide();
            settle();
            return milliseconds;
        },
        bench::Goal::ratio(1.5));
    if (app.state.blnFullScreen)
        std::abort();
}

void registerRoads(int width, int height) {
    const std::string size = "FullScreen" + std::to_string(width) + "x" + std::to_string(height);
    for (const bool enter : {true, false})
        benchmark::RegisterBenchmark((size + (enter ? "/enter" : "/leave")).c_str(), toggle, enter, width,
                                     height)
            ->UseManualTime()
            ->Iterations(bench::samples(9, 4))
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        registerRoads(1024, 768);
        registerRoads(1600, 1200);
    });
}
