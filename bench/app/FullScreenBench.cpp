// Entering full-screen mode until the enlarged page is painted, and leaving it until the window
// layout is painted again, against the anchor of Qt decoding the page's snapshot at full size in
// the same run. Each entry meets a page whose enlarged picture was not decoded before.

#include "BenchSupport.h"
#include "MainWindowProbe.h"
#include "controller/AppMode.h"

#include <QImageReader>

#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"

namespace {

constexpr int kPages = 8;

// Entering full screen on a page whose enlarged picture was not decoded before, to the frame at the
// X server, against the scaled decode of that page at the full-screen size; leaving it again
// against a repaint of the window as it then is (leaving decodes nothing).
void toggle(benchmark::State& state, bool enter, int width, int height) {
    bench::PhotoAlbum album(kPages, width, height);
    bench::Window<> app(album.file("Storybook.xml"));
    app.window.show();
    if (app.state.controller().mode() != AppMode::ViewStorybook)
        std::abort();
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
            const int before = bench::paints().count;
            app.window.DisplayCurrentPage();
            app.window.refresh();
            bench::awaitFrame(before);
            app.window.snapshots().clear();
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
            const auto start = std::chrono::steady_clock::now();
            if (enter) {
                if (decodePictureForSize(album.snapshots[static_cast<std::size_t>(page)], fullSize).isNull())
                    std::abort();
            } else {
                const int before = bench::paints().count;
                app.window.update();
                bench::awaitFrame(before);
            }
            return bench::millisecondsSince(start);
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
