// Page turns to the next, the previous and a far page, each against the anchor of Qt decoding a
// snapshot of the same size at full size, in the same run.
// Also opening the largest album from the command line to its first painted page.

#include "../document/MaximalAlbum.h"
#include "AppState.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

namespace {

class SilentSeam final : public PlatformSeam {
public:
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon, std::string_view) override {
        std::abort(); // nothing measured here may ask anything
    }
    std::string inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
    FileDialogResult fileDialog(const FileDialogRequest&) override { return {}; }
    ModalResult runModal(QDialog&) override { return ModalResult::Accepted; }
    void openWithDefaultApplication(std::string_view) override {}
    void openInTextEditor(std::string_view) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
};

class MemoryStore final : public SettingsStore {
public:
    std::optional<std::string> readText(std::string_view, std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, std::string_view, std::string_view) override {}
};

// A picture with the detail of a photograph: soft shapes under fine grain, so it compresses like one.
QImage photographLike(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(90, 140, 200));
    sky.setColorAt(1, QColor(200, 180, 120));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(
            QColor::fromHsv(random.bounded(360), 80 + random.bounded(120), 80 + random.bounded(160)));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(random.bounded(width), random.bounded(height)), 20 + random.bounded(200),
                            20 + random.bounded(150));
    }
    painter.end();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = static_cast<int>(random.bounded(33)) - 16;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                           std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

// An album of sixteen pages, each with a snapshot of its own: more than the window keeps in memory.
struct BenchAlbum {
    BenchAlbum(int width, int height) {
        std::string entries;
        for (int page = 0; page < kPages; ++page) {
            const std::string name = "snapshot_4c1e9b07_000000" + std::to_string(10 + page) + ".jpg";
            photographLike(width, height, static_cast<quint32>(page + 1))
                .save(QString::fromStdString(file(name)), "JPG", 90);
            snapshots.push_back(QString::fromStdString(file(name)));
            entries += "      <Entry>\n        <Title><![CDATA[]]></Title>\n        "
                       "<ThumbnailFilename>t</ThumbnailFilename>\n"
                       "        <Snapshot>" +
                       name +
                       "</Snapshot>\n        <Text><![CDATA[A day]]></Text>\n"
                       "        <TextResourceId>0x00000001</TextResourceId>\n        "
                       "<TimeStamp>1</TimeStamp>\n      </Entry>\n";
        }
        std::string bytes = maximalAlbumBytes();
        const auto first = bytes.find("      <Entry>");
        const auto footer = bytes.find("      <KeywordList/>");
        bytes.replace(first, footer - first, entries);
        std::ofstream(file("Storybook.xml"), std::ios::binary) << bytes;
    }
    std::string file(const std::string& name) const { return folder.path().toStdString() + "/" + name; }

    static constexpr int kPages = 16;
    QTemporaryDir folder;
    std::vector<QString> snapshots;
};

// Made once per size for the whole run: writing sixteen large snapshots takes longer than the turns.
const BenchAlbum& albumOf(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<BenchAlbum>> albums;
    auto& album = albums[{width, height}];
    if (!album)
        album = std::make_unique<BenchAlbum>(width, height);
    return *album;
}

struct Window {
    explicit Window(const std::string& commandLine)
        : state(seam, store, Environment{"/tmp", "/tmp", commandLine}), window(state) {
        window.Form_Load();
    }
    SilentSeam seam;
    MemoryStore store;
    AppState state;
    frmMain window;
};

// One turn, timed alone, after the user has read the page before it: whatever the window decodes
// ahead has settled by then. The album starts over on its first page untimed when a turn would
// leave it, so every timed turn is of the kind named.
void turn(benchmark::State& state, int width, int height, int step, double goal) {
    const BenchAlbum& album = albumOf(width, height);
    Window app(album.file("Storybook.xml"));
    const int start = step < 0 ? BenchAlbum::kPages - 1 : 0;
    int page = start;
    for (auto _ : state) {
        state.PauseTiming();
        int next = page + step;
        if (std::abs(step) == 1 && (next < 0 || next >= BenchAlbum::kPages)) {
            page = start;
            app.state.intCurrentPage = static_cast<std::int16_t>(page);
            app.window.DisplayCurrentPage();
            next = page + step;
        }
        page = (next + BenchAlbum::kPages) % BenchAlbum::kPages;
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
    const BenchAlbum& album = albumOf(width, height);
    int page = 0;
    for (auto _ : state) {
        page = (page + step + BenchAlbum::kPages) % BenchAlbum::kPages;
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
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/Storybook.xml";
    std::ofstream(path, std::ios::binary) << maximalAlbumBytes();
    double documentSeconds = 0;
    for (auto _ : state) {
        Window app(path);
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    registerPageTurns(1024, 768);
    registerPageTurns(1600, 1200);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
