// Entering full-screen mode until the enlarged page is painted, and leaving it until the window
// layout is painted again, against the anchor of Qt decoding the page's snapshot at full size in
// the same run. Each entry meets a page whose enlarged picture was not decoded before.

#include "BenchSupport.h"
#include "document/ApplicationModes.h"

#include <QImageReader>

namespace {

constexpr int kPages = 8; // twice what the snapshot cache keeps

enum class Measure { Enter, Leave };

void toggle(benchmark::State& state, Measure measure, int width, int height) {
    bench::PhotoAlbum album(kPages, width, height);
    bench::Window<> app(album.file("Storybook.xml"));
    app.window.show();
    if (app.state.strApplicationMode != modes::kViewStorybook)
        std::abort();
    int page = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page = (page + 1) % kPages;
        app.state.intCurrentPage = static_cast<std::int16_t>(page);
        app.window.DisplayCurrentPage();
        app.window.repaint();
        if (measure == Measure::Leave) {
            app.window.ToggleFullScreen();
            app.window.repaint();
        }
        state.ResumeTiming();

        app.window.ToggleFullScreen();
        app.window.repaint();

        state.PauseTiming();
        if (measure == Measure::Enter) {
            app.window.ToggleFullScreen();
            app.window.repaint();
        }
        if (app.state.blnFullScreen)
            std::abort();
        state.ResumeTiming();
    }
}

void anchorFullDecode(benchmark::State& state, int width, int height) {
    bench::PhotoAlbum album(1, width, height);
    for (auto _ : state) {
        QImageReader reader(album.snapshots.front());
        QImage image = reader.read();
        if (image.isNull())
            std::abort();
        benchmark::DoNotOptimize(image.bits());
    }
}

// Entering and leaving each against the same decode; no goal is set for either.
void registerRoads(int width, int height) {
    const std::string size = "FullScreen" + std::to_string(width) + "x" + std::to_string(height);
    for (const auto& [road, measure] :
         {std::pair{"enter", Measure::Enter}, std::pair{"leave", Measure::Leave}}) {
        const std::string prefix = size + "/" + road;
        benchmark::RegisterBenchmark((prefix + "/ours").c_str(), toggle, measure, width, height)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "/anchor").c_str(), anchorFullDecode, width, height)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        registerRoads(1024, 768);
        registerRoads(1600, 1200);
    });
}
