// Save As of the largest album (1,025 pages) into another folder, its 2,050 images copied with it,
// against cp copying the same images into an empty folder, measured in the same run.

#include "BenchSupport.h"
#include "controller/AppMode.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Chooses the target folder's album file and answers Yes to copying the images; anything else
// asked would be a failure of the run.
class SaveAsSeam final : public bench::SilentSeam {
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
    std::string target;
};

// The album and its images in one folder, and a scratch place for the copies.
struct Folders {
    Folders() {
        source = fs::path(scratch.path()) / "source";
        fs::create_directories(source);
        std::ofstream(source / "Storybook.xml", std::ios::binary) << maximalAlbumBytes();
        const QByteArray snapshot = bench::jpegBytes(bench::photographLike(800, 600, 1), 90);
        const QByteArray thumbnail = bench::jpegBytes(bench::photographLike(128, 96, 2), 90);
        for (int page = 1; page <= 1025; ++page) {
            char name[32];
            std::snprintf(name, sizeof name, "4c1e9b07_%08d.jpg", page);
            bench::writeFile((source / ("snapshot_" + std::string(name))).string(), snapshot);
            bench::writeFile((source / ("thumbnail_" + std::string(name))).string(), thumbnail);
        }
    }
    fs::path emptyTarget() const {
        const fs::path target = fs::path(scratch.path()) / "target";
        fs::remove_all(target);
        fs::create_directories(target);
        return target;
    }
    static std::size_t count(const fs::path& folder) {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    bench::ScratchFolder scratch;
    fs::path source;
};

Folders& folders() {
    static Folders made;
    return made;
}

// Save As with its images against cp of the same images, alternately, each into an empty folder
// after a sync, so neither side pays the other's writeback.
void SaveAsWithImages(benchmark::State& state) {
    bench::Window<SaveAsSeam> app((folders().source / "Storybook.xml").string());
    if (app.state.storybook().varPageCount != 1025)
        std::abort();
    bench::measurePair(
        state,
        [&] {
            const fs::path target = folders().emptyTarget();
            app.seam.target = (target / "Storybook.xml").string();
            app.state.varStorybookFolder = folders().source.string() + "/";
            app.state.varStorybookFile = "Storybook.xml";
            app.state.controller().setMode(AppMode::ViewStorybook);
            ::sync();
            const auto start = std::chrono::steady_clock::now();
            app.window.runCommand(Command::SaveStorybookAs);
            const double milliseconds = bench::millisecondsSince(start);
            if (Folders::count(target) != 2051 || app.state.controller().mode() != AppMode::StorybookSaved)
                std::abort();
            return milliseconds;
        },
        [&] {
            const fs::path target = folders().emptyTarget();
            const std::string command = "cp " + folders().source.string() + "/*.jpg " + target.string() + "/";
            ::sync();
            const auto start = std::chrono::steady_clock::now();
            if (std::system(command.c_str()) != 0)
                std::abort();
            const double milliseconds = bench::millisecondsSince(start);
            if (Folders::count(target) != 2050)
                std::abort();
            return milliseconds;
        },
        bench::Goal::ratio(2.0));
}
BENCHMARK(SaveAsWithImages)->UseManualTime()->Iterations(bench::samples(5, 3))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv);
}
