// Save As of the largest album (1,025 pages) into another folder, its 2,050 images copied with it,
// against cp copying the same images into an empty folder, measured in the same run.

#include "MaximalAlbum.h"

#include "AppState.h"
#include "frmMain.h"
#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Chooses the target folder's album file and answers Yes to copying the images; anything else
// asked would be a failure of the run.
class SaveAsSeam final : public PlatformSeam {
public:
    MessageAnswer messageBox(std::string_view text, MessageButtons, MessageIcon, std::string_view) override {
        if (text.find("Do you wish to copy") == std::string_view::npos)
            std::abort();
        return MessageAnswer::Yes;
    }
    std::string inputBox(std::string_view, std::string_view, std::string_view) override { std::abort(); }
    FileDialogResult fileDialog(const FileDialogRequest&) override {
        return {true, target, "Storybook.xml", 1, false, 0};
    }
    ModalResult runModal(QDialog&) override { return ModalResult::Accepted; }
    void openWithDefaultApplication(std::string_view) override {}
    void openInTextEditor(std::string_view) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
    std::string target;
};

class MemoryStore final : public SettingsStore {
public:
    std::optional<std::string> readText(std::string_view, std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, std::string_view, std::string_view) override {}
};

QByteArray jpegBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (x ^ y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

// The album and its images in one folder, and a scratch place for the copies.
struct Folders {
    Folders() {
        root = fs::temp_directory_path() / ("brindlecove-save-bench-" + std::to_string(::getpid()));
        source = root / "source";
        fs::create_directories(source);
        std::ofstream(source / "Storybook.xml", std::ios::binary) << maximalAlbumBytes();
        const QByteArray snapshot = jpegBytes(800, 600);
        const QByteArray thumbnail = jpegBytes(128, 96);
        for (int page = 1; page <= 1025; ++page) {
            char name[32];
            std::snprintf(name, sizeof name, "4c1e9b07_%08d.jpg", page);
            std::ofstream(source / ("snapshot_" + std::string(name)), std::ios::binary)
                .write(snapshot.constData(), snapshot.size());
            std::ofstream(source / ("thumbnail_" + std::string(name)), std::ios::binary)
                .write(thumbnail.constData(), thumbnail.size());
        }
    }
    ~Folders() { fs::remove_all(root); }
    fs::path emptyTarget() const {
        const fs::path target = root / "target";
        fs::remove_all(target);
        fs::create_directories(target);
        return target;
    }
    static std::size_t count(const fs::path& folder) {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    fs::path root;
    fs::path source;
};

Folders& folders() {
    static Folders made;
    return made;
}

void SaveAsWithImages(benchmark::State& state) {
    SaveAsSeam seam;
    MemoryStore store;
    AppState app(seam, store, Environment{"/tmp", "/tmp", (folders().source / "Storybook.xml").string()});
    frmMain window(app);
    window.Form_Load();
    if (app.storybook().varPageCount != 1025)
        std::abort();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path target = folders().emptyTarget();
        seam.target = (target / "Storybook.xml").string();
        app.varStorybookFolder = folders().source.string() + "/";
        app.varStorybookFile = "Storybook.xml";
        app.strApplicationMode = "View Storybook";
        state.ResumeTiming();
        window.SaveStorybookAs();
        state.PauseTiming();
        if (Folders::count(target) != 2051 || app.strApplicationMode != "Storybook Saved")
            std::abort();
        state.ResumeTiming();
    }
}
BENCHMARK(SaveAsWithImages)->Unit(benchmark::kMillisecond)->UseRealTime();

void AnchorCpImages(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path target = folders().emptyTarget();
        const std::string command = "cp " + folders().source.string() + "/*.jpg " + target.string() + "/";
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            std::abort();
        state.PauseTiming();
        if (Folders::count(target) != 2050)
            std::abort();
        state.ResumeTiming();
    }
}
BENCHMARK(AnchorCpImages)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
