// Page turns, key to frame at the X server: a next-page turn against the scaled decode the window
// uses for the same file at the painted size, and each other navigation key against a next-page
// turn measured beside it (every button is to paint from memory as a next turn does). Also opening
// the largest album to its first page, against opening the sample album in the same run.

#include "BenchSupport.h"
#include "MainWindowProbe.h"
#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"

#include <QKeyEvent>

#include <map>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Thirty pages, each with a snapshot of its own, so ten-page jumps stay inside the album.
constexpr int kPages = 30;

const bench::PhotoAlbum& albumOf(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<bench::PhotoAlbum>> albums;
    auto& album = albums[{width, height}];
    if (!album)
        album = std::make_unique<bench::PhotoAlbum>(kPages, width, height);
    return *album;
}

struct Turns {
    explicit Turns(const bench::PhotoAlbum& album) : app(album.file("Storybook.xml")) {
        app.window.show();
        bench::awaitFrame(-1);
    }
    // Shows a page untimed and lets the decoding ahead settle, as while the user reads it.
    void showSettled(int page) {
        app.state.controller().setCurrentPage(static_cast<std::int16_t>(page));
        const int before = bench::paints().count;
        app.window.DisplayCurrentPage();
        app.window.refresh();
        bench::awaitFrame(before);
        app.window.snapshots().waitUntilIdle();
    }
    // One key press and release, to the frame at the X server.
    double press(Qt::Key key) {
        const auto start = Clock::now();
        const int before = bench::paints().count;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(controls(app.window).pbxShow, &down);
        QApplication::sendEvent(controls(app.window).pbxShow, &up);
        bench::awaitFrame(before);
        return bench::millisecondsSince(start);
    }
    bench::Window<> app;
};

struct Key {
    const char* name;
    Qt::Key key;
    int from; // the page the turn starts on
};

// A key's turn against a next-page turn from the same page, alternately.
void keyTurn(benchmark::State& state, int width, int height, Key key) {
    Turns turns(albumOf(width, height));
    bench::measurePair(
        state,
        [&] {
            turns.showSettled(key.from);
            return turns.press(key.key);
        },
        [&] {
            turns.showSettled(key.from);
            return turns.press(Qt::Key_Right);
        },
        bench::Goal::ratio(1.2));
}

// A next-page turn against the scaled decode of the page turned to, at the painted size.
void nextTurn(benchmark::State& state, int width, int height) {
    const bench::PhotoAlbum& album = albumOf(width, height);
    Turns turns(album);
    const QSize size = controls(turns.app.window).pbxShow->size();
    bench::measurePair(
        state,
        [&] {
            turns.showSettled(10);
            return turns.press(Qt::Key_Right);
        },
        [&] {
            const auto start = Clock::now();
            const QImage image = decodePicture(album.snapshots[11], size);
            if (image.isNull())
                std::abort();
            return bench::millisecondsSince(start);
        },
        bench::Goal::ratio(1.0)); // a turn paints from memory: never slower than decoding the page
}

// Twenty Right presses at key-repeat rate (30 a second): the slowest after the first against the
// slowest after the first of twenty Right presses at the same pace each from a settled page, as a
// reader who waits for nothing would see them. Also the presses after the first that found their
// page not yet in memory ("waited"), and the scaled decode of one page against the key-repeat
// interval: the worker keeps up with a held key only while a decode fits in one repeat.
constexpr auto kRepeat = std::chrono::microseconds(33333);

void heldRight(benchmark::State& state, int width, int height) {
    const bench::PhotoAlbum& album = albumOf(width, height);
    Turns turns(album);
    const QSize size = controls(turns.app.window).pbxShow->size();
    int waited = 0;
    std::vector<double> decodes;
    const auto presses = [&](bool settled) {
        turns.showSettled(0);
        double slowest = 0;
        for (int press = 0; press < 20; ++press) {
            if (settled)
                turns.app.window.snapshots().waitUntilIdle();
            else if (press > 0 && !turns.app.window.snapshots().holds(album.snapshots[press + 1], size))
                ++waited;
            const auto start = Clock::now();
            const double turn = turns.press(Qt::Key_Right);
            if (press > 0)
                slowest = std::max(slowest, turn);
            std::this_thread::sleep_until(start + kRepeat);
        }
        return slowest;
    };
    bench::measurePair(
        state, [&] { return presses(false); },
        [&] {
            const double slowest = presses(true);
            const auto start = Clock::now();
            if (decodePicture(album.snapshots[decodes.size() % kPages], size).isNull())
                std::abort();
            decodes.push_back(bench::millisecondsSince(start));
            return slowest;
        },
        bench::Goal::ratio(1.2));
    state.counters["waited"] = waited;
    const double interval = std::chrono::duration<double, std::milli>(kRepeat).count();
    bench::reportPair(state, decodes, std::vector<double>(decodes.size(), interval), bench::Goal::ratio(1),
                      "decode.");
}

void registerTurns(int width, int height) {
    const std::string size = "PageTurn" + std::to_string(width) + "x" + std::to_string(height) + "/";
    const int iterations = bench::samples(15, 5);
    benchmark::RegisterBenchmark((size + "next").c_str(), nextTurn, width, height)
        ->UseManualTime()
        ->Iterations(iterations)
        ->Unit(benchmark::kMillisecond);
    for (const Key key : {Key{"previous", Qt::Key_Left, 15}, Key{"ten_back", Qt::Key_PageUp, 15},
                          Key{"first", Qt::Key_Home, 15}, Key{"ten_forward", Qt::Key_PageDown, 15},
                          Key{"last", Qt::Key_End, 15}})
        benchmark::RegisterBenchmark((size + key.name).c_str(), keyTurn, width, height, key)
            ->UseManualTime()
            ->Iterations(iterations)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((size + "held_right").c_str(), heldRight, width, height)
        ->UseManualTime()
        ->Iterations(bench::samples(7, 4))
        ->Unit(benchmark::kMillisecond);
}

const std::string& maximalAlbumPath() {
    static const bench::ScratchFolder folder;
    static const std::string path = [] {
        const std::string file = folder.file("Storybook.xml");
        std::ofstream(file, std::ios::binary) << maximalAlbumBytes();
        return file;
    }();
    return path;
}

// The command line's album to its first page at the X server.
double openToFirstFrame(const std::string& path, int pages) {
    const auto start = Clock::now();
    const int before = bench::paints().count;
    bench::Window<> app(path);
    app.window.show();
    bench::awaitFrame(before);
    const double milliseconds = bench::millisecondsSince(start);
    if (pages >= 0 && app.state.storybook().varPageCount != pages)
        std::abort();
    return milliseconds;
}

void OpenMaximalAgainstSample(benchmark::State& state) {
    const std::string sample = std::string(BRINDLECOVE_SAMPLES) + "/Storybook_Hawthorne_Family.xml";
    const std::string& maximal = maximalAlbumPath();
    bench::measurePair(
        state, [&] { return openToFirstFrame(maximal, 1025); }, [&] { return openToFirstFrame(sample, -1); },
        bench::Goal::ratio(1.3));
}

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        registerTurns(1024, 768);
        registerTurns(1600, 1200);
        benchmark::RegisterBenchmark("OpenMaximalAlbum/against_sample", OpenMaximalAgainstSample)
            ->UseManualTime()
            ->Iterations(bench::samples(21, 15))
            ->Unit(benchmark::kMillisecond);
    });
}
