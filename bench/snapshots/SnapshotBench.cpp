// The snapshot browser on folders of 1,000, 10,000, 20,000 and 100,000 files (snapshots of 40 lots
// with their thumbnails) beside an album of 1,025 pages that uses up to 1,000 of them (half, in the
// smallest); the lists and the date sort on the folder of 10,000. Every figure is set against a plain
// std::filesystem walk that takes each file's modification time, one walk after each run of the road
// (counters ms.ours, ms.anchor and the spread of their ratio).

#include "BenchSupport.h"
#include "platform/PictureArea.h"
#include "snapshots/SnapshotLists.h"
#include "snapshots/frmLoadSnapshot.h"

#include <QDialog>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>

#include <utime.h>

namespace {

constexpr int kLots = 40;
constexpr int kSnapshots = 5000; // the folder the lists and the sort work on
constexpr int kUsedSnapshots = 1000;

// The snapshots an album of a folder of that many uses: at most half, so unused ones are left to show.
int usedOf(int snapshots) {
    return std::min(kUsedSnapshots, snapshots / 2);
}

using Clock = std::chrono::steady_clock;

std::string lotCode(int lot) {
    char code[16];
    std::snprintf(code, sizeof code, "%08x", 0x4c1e9b07u + static_cast<unsigned>(lot) * 7919u);
    return code;
}

// Snapshot k of the folder: lots in turn, numbered within their lot.
std::string snapshotName(int k) {
    char number[16];
    std::snprintf(number, sizeof number, "%08d", k / kLots + 1);
    return "snapshot_" + lotCode(k % kLots) + "_" + number + ".jpg";
}

// The largest album, its pages pointed at the first snapshots of the folder (up to 1,000).
std::string albumBytes(int used) {
    std::string bytes = maximalAlbumBytes();
    std::size_t at = 0;
    for (int page = 0; page < 1025; ++page) {
        char old[32];
        std::snprintf(old, sizeof old, "4c1e9b07_%08d.jpg", page + 1);
        const std::string name = snapshotName(page % used).substr(9);
        for (int field = 0; field < 2; ++field) {
            at = bytes.find(old, at);
            bytes.replace(at, std::strlen(old), name);
        }
    }
    return bytes;
}

struct BenchFolder : bench::ScratchFolder {
    explicit BenchFolder(int snapshots) : snapshots(snapshots) {
        QImage thumbnail(160, 120, QImage::Format_RGB32);
        thumbnail.fill(QColor(90, 140, 200));
        const QByteArray jpeg = bench::jpegBytes(thumbnail, 85);
        std::mt19937 random(11);
        for (int k = 0; k < snapshots; ++k) {
            const std::string snapshot = snapshotName(k);
            std::ofstream(file(snapshot), std::ios::binary) << "snapshot";
            bench::writeFile(file("thumbnail_" + snapshot.substr(9)), jpeg);
            // A fifth were copied in one go and share one time; the rest spread over two years.
            const long time = k % 5 == 0 ? 1110204309L : 1080000000L + static_cast<long>(random() % 63000000);
            const utimbuf times{time, time};
            ::utime(file(snapshot).c_str(), &times);
        }
        std::ofstream(file("Storybook.xml"), std::ios::binary) << albumBytes(usedOf(snapshots));
    }
    int snapshots;
};

// One folder of each size, made on first use and kept for the run.
BenchFolder& benchFolder(int snapshots = kSnapshots) {
    static std::map<int, std::unique_ptr<BenchFolder>> made;
    auto& folder = made[snapshots];
    if (!folder)
        folder = std::make_unique<BenchFolder>(snapshots);
    return *folder;
}

// The anchor: every entry of the folder with its modification time.
long walkOnce(const std::string& path) {
    long sum = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        sum += entry.last_write_time().time_since_epoch().count() & 1;
    return sum;
}

// Ours and the walk in milliseconds, interleaved: each timed run of the road is followed by one walk
// of the folder, so the two are taken moments apart and each round gives a ratio.
template <class Road>
void measureAgainstWalk(benchmark::State& state, const BenchFolder& folder, Road road, bench::Goal goal) {
    std::vector<double> ours;
    std::vector<double> anchor;
    for (auto _ : state) {
        ours.push_back(road());
        const auto start = Clock::now();
        benchmark::DoNotOptimize(walkOnce(folder.path()));
        anchor.push_back(bench::millisecondsSince(start));
    }
    bench::reportPair(state, ours, anchor, goal, "ms.");
}

class BrowserSeam final : public bench::SilentSeam {
public:
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon, std::string_view) override {
        return MessageAnswer::Yes;
    }
    // The browser is shown, scans, paints its first thumbnail and is cancelled.
    ModalResult runModal(QDialog& dialog) override {
        auto* browser = dynamic_cast<frmLoadSnapshot*>(&dialog);
        if (browser == nullptr)
            return ModalResult::Accepted;
        browser->show();
        browser->Form_Activate();
        browser->pbxThumbnail->repaint();
        if (!browser->pbxThumbnail->hasPicture())
            std::abort();
        browser->cmdOther_Click();
        return ModalResult::Rejected;
    }
};

struct Window : bench::Window<BrowserSeam> {
    explicit Window(const BenchFolder& folder) : bench::Window<BrowserSeam>(folder.file("Storybook.xml")) {
        if (state.storybook().varPageCount != 1025)
            std::abort();
    }
};

// The folder sizes in files (snapshots and as many thumbnails), the last part of the road's name.
void folderSizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1000)->Arg(10000)->Arg(20000)->Arg(100000);
}

void Scan(benchmark::State& state) {
    const BenchFolder& folder = benchFolder(static_cast<int>(state.range(0) / 2));
    const std::string path = folder.path();
    SnapshotScan scan;
    measureAgainstWalk(
        state, folder,
        [&] {
            const auto start = Clock::now();
            if (ScanSnapshotFolder(path, scan) != ScanOutcome::Complete ||
                scan.strSnapshotArray.size() != static_cast<std::size_t>(folder.snapshots))
                std::abort();
            return bench::millisecondsSince(start);
        },
        bench::Goal::ratio(1.5));
}
BENCHMARK(Scan)->Apply(folderSizes)->Unit(benchmark::kMillisecond);

// From the command to the first thumbnail painted, with the folder scanned afresh each time.
void BrowserFirstOpen(benchmark::State& state) {
    const BenchFolder& folder = benchFolder(static_cast<int>(state.range(0) / 2));
    Window app(folder);
    measureAgainstWalk(
        state, folder,
        [&] {
            app.state.strStorybookCachePath.clear();
            const auto start = Clock::now();
            app.window.runCommand(Command::ShowSnapshotBrowser);
            return bench::millisecondsSince(start);
        },
        bench::Goal::ratio(3.0));
}
BENCHMARK(BrowserFirstOpen)->Apply(folderSizes)->Unit(benchmark::kMillisecond);

// The same with the last scan of the folder reused, under an absolute ceiling of 10 ms.
void BrowserSecondOpen(benchmark::State& state) {
    const BenchFolder& folder = benchFolder(static_cast<int>(state.range(0) / 2));
    Window app(folder);
    app.window.runCommand(Command::ShowSnapshotBrowser);
    measureAgainstWalk(
        state, folder,
        [&] {
            const auto start = Clock::now();
            app.window.runCommand(Command::ShowSnapshotBrowser);
            return bench::millisecondsSince(start);
        },
        bench::Goal::ceiling(10));
    if (app.state.strStorybookCachePath != folder.path())
        std::abort();
}
BENCHMARK(BrowserSecondOpen)->Apply(folderSizes)->Unit(benchmark::kMillisecond);

struct Lists {
    Lists() : album(makeStorybook()) {
        if (ScanSnapshotFolder(benchFolder().path(), scan) != ScanOutcome::Complete)
            std::abort();
        album->varPageCount = 1025;
        for (int page = 0; page < 1025; ++page)
            album->varEntryArray[page][album::Snapshot][album::Content] = snapshotName(page % kUsedSnapshots);
        datedOrder(scan);
    }
    SnapshotScan scan;
    std::unique_ptr<Storybook> album;
};

void UnusedOnlyList(benchmark::State& state) {
    Lists lists;
    // Made at every opening: a small part of the second opening's ceiling.
    measureAgainstWalk(
        state, benchFolder(),
        [&] {
            const auto start = Clock::now();
            const LoadedSnapshots loaded = BuildLoadedSnapshotList(lists.scan, SnapshotSelection::UnusedOnly,
                                                                   SnapshotOrder::ByDate, *lists.album);
            const double milliseconds = bench::millisecondsSince(start);
            if (loaded.strLoadedSnapshotArray.size() != kSnapshots - kUsedSnapshots)
                std::abort();
            return milliseconds;
        },
        bench::Goal::ceiling(2));
}
BENCHMARK(UnusedOnlyList)->Unit(benchmark::kMillisecond);

void SortByDate(benchmark::State& state) {
    Lists lists;
    // Once a scan, in the first opening: within the walk that lists the folder.
    measureAgainstWalk(
        state, benchFolder(),
        [&] {
            lists.scan.dateOrder.clear();
            const auto start = Clock::now();
            benchmark::DoNotOptimize(datedOrder(lists.scan).data());
            return bench::millisecondsSince(start);
        },
        bench::Goal::ratio(1.0));
}
BENCHMARK(SortByDate)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv);
}
