// Page turns to the next, the previous and a far page, each against the anchor of Qt decoding a
// snapshot of the same size at full size, in the same run.
// Also opening the largest album from the command line to its first painted page.

#include "BenchSupport.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

#include <QImageReader>

#include <chrono>
#include <map>
#include <memory>

namespace {

// Sixteen pages, each with a snapshot of its own: more than the window keeps in memory.
constexpr int kPages = 16;

// Made once per size for the whole run: writing sixteen large snapshots takes longer than the turns.
const bench::PhotoAlbum& albumOf(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<bench::PhotoAlbum>> albums;
    auto& album = albums[{width, height}];
    if (!album)
        album = std::make_unique<bench::PhotoAlbum>(kPages, width, height);
    return *album;
}

// One turn, timed alone, after the user has read the page before it: whatever the window decodes
// ahead has settled by then. The album starts over on its first page untimed when a turn would
// leave it, so every timed turn is of the kind named.
void turn(benchmark::State& state, int width, int height, int step, double goal) {
    const bench::PhotoAlbum& album = albumOf(width, height);
    bench::Window<> app(album.file("Storybook.xml"));
    const int start = step < 0 ? kPages - 1 : 0;
    int page = start;
    for (auto _ : state) {
        state.PauseTiming();
        int next = page + step;
        if (std::abs(step) == 1 && (next < 0 || next >= kPages)) {
            page = start;
            app.state.intCurrentPage = static_cast<std::int16_t>(page);
            app.window.DisplayCurrentPage();
            next = page + step;
        }
        page = (next + kPages) % kPages;
        app.state.intCurrentPage = static_cast<std::int16_t>(page);
        app.window.snapshots().waitUntilIdle();
        state.ResumeTiming();
        app.window.DisplayCurrentPage();
    }
    state.counters["goal"] = goal;
}

// Qt decoding the snapshots of the same pages, in the same order of files, so both sides meet the
// same bytes with the same caches.
void anchorFullDecode(benchmark::State& state, int width, int height, int step) {
    const bench::PhotoAlbum& album = albumOf(width, height);
    int page = 0;
    for (auto _ : state) {
        page = (page + step + kPages) % kPages;
        QImageReader reader(album.snapshots[static_cast<std::size_t>(page)]);
        QImage image = reader.read();
        if (image.isNull())
            std::abort();
        benchmark::DoNotOptimize(image.bits());
    }
}

// Each road against Qt's full-size decode of the snapshots it turns to.
void registerPageTurns(int width, int height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    struct Road {
        const char* name;
        int step;
        double goal;
    };
    // A far page is one no turn before could have prepared: five pages on, in an album of sixteen.
    for (const Road road : {Road{"next", 1, 0.2}, Road{"previous", -1, 0.2}, Road{"far", 5, 0.7}}) {
        const std::string prefix = "PageTurn" + size + "/" + road.name;
        benchmark::RegisterBenchmark((prefix + "/ours").c_str(), turn, width, height, road.step, road.goal)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "/anchor").c_str(), anchorFullDecode, width, height, road.step)
            ->Unit(benchmark::kMillisecond);
    }
}

// The largest album from the command line to its first page painted; the counter gives the share
// spent in the document layer (check, read and parse, timed alone on the same file).
void OpenMaximalAlbum(benchmark::State& state) {
    const bench::ScratchFolder folder;
    const std::string path = folder.file("Storybook.xml");
    std::ofstream(path, std::ios::binary) << maximalAlbumBytes();
    double documentSeconds = 0;
    for (auto _ : state) {
        bench::Window<> app(path);
        if (app.state.storybook().varPageCount != 1025)
            std::abort();
        state.PauseTiming();
        auto book = makeStorybook();
        const auto start = std::chrono::steady_clock::now();
        CheckStorybookStructure(path);
        ReadStorybookLines(*book, path);
        ParseAlbumGlobals(*book);
        ParseStorybookRecords(*book, app.window);
        documentSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    state.counters["document_ms"] =
        benchmark::Counter(documentSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(OpenMaximalAlbum)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        registerPageTurns(1024, 768);
        registerPageTurns(1600, 1200);
    });
}
