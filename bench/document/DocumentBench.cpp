// The album's load road and save, each against an anchor that does the same work, paired by name
// for bench/run-all ("<road>/ours" against "<road>/anchor"):
//   LoadFreshModel, LoadReusedModel   the maximal album, against pugixml load_file of the same file
//   LoadPages/N                       a new model and an album of N pages, against pugixml on that file
//   LoadFreshProcess                  the first load of a process, against pugixml's first load_file
//   LoadOneMegabyteLine               a story of one megabyte line, against pugixml on that file
//   OpenSplitStory                    a story of many CDATA splits, against pugixml on that file
//   SaveMaximalAlbum                  against a safe write of the same bytes: a temporary file, fsync,
//                                     rename and a sync of the folder (the save's checks included)
// and, as a row of its own, the memory a save of the largest file the program opens needs at its
// peak (above what the process held before it), against the file's size.

#include "../common/Pairing.h"
#include "MaximalAlbum.h"

#include "document/FileText.h"
#include "document/StoredText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <pugixml.hpp>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct AlbumOnDisk {
    AlbumOnDisk() {
        folder = std::filesystem::temp_directory_path() / ("brindlecove-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        path = (folder / "Storybook.xml").string();
        bytes = maximalAlbumBytes();
        writeFileAtomically(path, bytes);
        longLinePath = (folder / "LongLine.xml").string();
        writeFileAtomically(longLinePath, oneMegabyteLineAlbumBytes());
        splitStoryPath = (folder / "SplitStory.xml").string();
        writeFileAtomically(splitStoryPath, splitStoryAlbumBytes());
        for (const int pages : kSmallAlbumPages) {
            smallPaths[pages] = (folder / ("Pages" + std::to_string(pages) + ".xml")).string();
            writeFileAtomically(smallPaths[pages], albumBytes(pages));
        }
    }
    static constexpr int kSmallAlbumPages[] = {1, 10, 100};
    ~AlbumOnDisk() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string path;
    std::string bytes;
    std::string longLinePath;
    std::string splitStoryPath;
    std::map<int, std::string> smallPaths;
};

AlbumOnDisk& album() {
    static AlbumOnDisk onDisk;
    return onDisk;
}

// Check, read and both parsers, as the open command runs them.
void loadRoad(Storybook& book, const std::string& path) {
    LineScan scan;
    CheckAndReadStorybook(book, path, scan);
    if (!scan.checked || !scan.read)
        std::abort();
    ParseAlbumGlobals(book);
    if (ParseStorybookRecords(book, scan).outcome != ParseOutcome::Complete)
        std::abort(); // the album must load without a message
    benchmark::DoNotOptimize(book.varPageCount);
}

void LoadRoadReusedModel(benchmark::State& state) {
    album(); // made before the first timed iteration
    auto book = makeStorybook();
    for (auto _ : state)
        loadRoad(*book, album().path);
    state.counters["lines"] = book->intLogFileLastLine + 1;
    state.counters["pages"] = book->varPageCount;
    state.counters["goal"] = 1.2;
}
BENCHMARK(LoadRoadReusedModel)->Name("LoadReusedModel/ours")->Unit(benchmark::kMicrosecond);

// As the first open after start-up: the model is made as well. The program never frees its model, so
// freeing the last one is kept out of the time.
void LoadRoadFreshModel(benchmark::State& state) {
    album(); // made before the first timed iteration
    std::unique_ptr<Storybook> book;
    for (auto _ : state) {
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
        book = makeStorybook();
        loadRoad(*book, album().path);
    }
    state.counters["goal"] = 1.2;
}
BENCHMARK(LoadRoadFreshModel)->Name("LoadFreshModel/ours")->Unit(benchmark::kMicrosecond);

// The first open after start-up, once in a process of its own (the runner starts one for each side),
// so the first touch of the model's memory and of the loader's code is in the time.
void LoadRoadFreshProcess(benchmark::State& state) {
    album(); // made before the timed iteration
    for (auto _ : state) {
        auto book = makeStorybook();
        loadRoad(*book, album().path);
        benchmark::DoNotOptimize(book.release()); // the program never frees its model
    }
    state.counters["goal"] = 1.2;
}
BENCHMARK(LoadRoadFreshProcess)->Name("LoadFreshProcess/ours")->Iterations(1)->Unit(benchmark::kMicrosecond);

// The first open after start-up of an album most players make, a few pages, once in a process of
// its own as LoadFreshProcess: the model's first touch is in the time, so it has to grow with the
// pages rather than come at the size of the largest album.
void LoadRoadSmallAlbum(benchmark::State& state) {
    const std::string& path = album().smallPaths.at(static_cast<int>(state.range(0)));
    ::malloc_trim(0); // the files were made in this process: as after start-up, no freed memory at hand
    for (auto _ : state) {
        auto book = makeStorybook();
        loadRoad(*book, path);
        benchmark::DoNotOptimize(book.release()); // the program never frees its model
    }
    state.counters["goal"] = 2;
}
BENCHMARK(LoadRoadSmallAlbum)
    ->Name("LoadPages/ours")
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);

void AnchorPugixmlSmallAlbum(benchmark::State& state) {
    const std::string& path = album().smallPaths.at(static_cast<int>(state.range(0)));
    ::malloc_trim(0);
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(path.c_str()))
            std::abort();
        benchmark::DoNotOptimize(document.first_child());
    }
}
BENCHMARK(AnchorPugixmlSmallAlbum)
    ->Name("LoadPages/anchor")
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);

void LoadRoadOneMegabyteLine(benchmark::State& state) {
    album(); // made before the first timed iteration
    auto book = makeStorybook();
    for (auto _ : state)
        loadRoad(*book, album().longLinePath);
    state.counters["goal"] = 1.2;
}
BENCHMARK(LoadRoadOneMegabyteLine)->Name("LoadOneMegabyteLine/ours")->Unit(benchmark::kMicrosecond);

// The open as the window sees it: the load road, then the first page's story as the text box shows it.
void openAndShowFirstStory(benchmark::State& state, const std::string& path) {
    auto book = makeStorybook();
    for (auto _ : state) {
        loadRoad(*book, path);
        benchmark::DoNotOptimize(unwrapCdata(book->content(0, album::Text)).size());
    }
}

void OpenSplitStoryAlbum(benchmark::State& state) {
    album(); // made before the first timed iteration
    openAndShowFirstStory(state, album().splitStoryPath);
    state.counters["goal"] = 1.2;
}
BENCHMARK(OpenSplitStoryAlbum)->Name("OpenSplitStory/ours")->Unit(benchmark::kMicrosecond);

void AnchorPugixmlLoadFile(benchmark::State& state, const std::string& (*path)()) {
    album(); // made before the first timed iteration
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(path().c_str()))
            std::abort();
        benchmark::DoNotOptimize(document.first_child());
    }
}
const std::string& maximalPath() {
    return album().path;
}
const std::string& longLinePath() {
    return album().longLinePath;
}
const std::string& splitStoryPath() {
    return album().splitStoryPath;
}
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, fresh, maximalPath)
    ->Name("LoadFreshModel/anchor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, reused, maximalPath)
    ->Name("LoadReusedModel/anchor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, fresh_process, maximalPath)
    ->Name("LoadFreshProcess/anchor")
    ->Iterations(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, long_line, longLinePath)
    ->Name("LoadOneMegabyteLine/anchor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, split_story, splitStoryPath)
    ->Name("OpenSplitStory/anchor")
    ->Unit(benchmark::kMicrosecond);

void SaveMaximalAlbum(benchmark::State& state) {
    auto book = makeStorybook();
    ReadStorybookLines(*book, album().path);
    ParseAlbumGlobals(*book);
    ParseStorybookRecords(*book);
    const std::string target = (album().folder / "Saved.xml").string();
    for (auto _ : state) {
        if (!BackupAndSave(*book, target).saved())
            std::abort();
    }
    state.counters["goal"] = 2;
}
BENCHMARK(SaveMaximalAlbum)->Name("SaveMaximalAlbum/ours")->Unit(benchmark::kMillisecond);

// The least a save that never leaves the file half-written does: the bytes into a new file beside
// it, fsync, rename over it, fsync of the folder.
void safeWrite(const std::filesystem::path& target, const std::string& bytes) {
    const std::string temporary = target.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0)
        std::abort();
    const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (folder < 0 || ::fsync(folder) != 0)
        std::abort();
    ::close(folder);
}

void AnchorSafeWriteMaximalAlbum(benchmark::State& state) {
    const auto target = album().folder / "Plain.xml";
    for (auto _ : state)
        safeWrite(target, album().bytes);
}
BENCHMARK(AnchorSafeWriteMaximalAlbum)->Name("SaveMaximalAlbum/anchor")->Unit(benchmark::kMillisecond);

// Kilobytes of the process's resident set ("VmRSS") or of its peak since the last reset ("VmHWM").
double residentKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(field + ":"))
            return std::stod(line.substr(field.size() + 1));
    std::abort();
}

// The largest file the program opens: 9,000 story lines of 7,000 bytes on one page, just under 64 MB.
std::string largestAlbumBytes() {
    std::string story;
    const std::string line(6999, 'w');
    for (int k = 0; k < 9000; ++k)
        story += (k ? "\n" : "") + line;
    return oneStoryAlbumBytes(story);
}

// The save of the largest album: the most memory it takes at once beyond what the open album held
// before it, against the file's size. Each save is the first of a process forked for it (what a save
// keeps for the next one counts), its peak read from the kernel.
void SaveLargestAlbumPeak(benchmark::State& state) {
    const std::string source = (album().folder / "Largest.xml").string();
    const std::string target = (album().folder / "LargestSaved.xml").string();
    const std::string bytes = largestAlbumBytes();
    writeFileAtomically(source, bytes);
    auto book = makeStorybook();
    loadRoad(*book, source);
    std::vector<double> peaks, sizes;
    for (auto _ : state) {
        int ends[2];
        if (::pipe(ends) != 0)
            std::abort();
        const pid_t child = ::fork();
        if (child == 0) {
            ::malloc_trim(0);
            std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from now
            const double before = residentKilobytes("VmRSS");
            const bool saved = BackupAndSave(*book, target).saved();
            const double peak = saved ? (residentKilobytes("VmHWM") - before) / 1024 : -1;
            if (::write(ends[1], &peak, sizeof peak) != sizeof peak)
                std::_Exit(1);
            std::_Exit(0);
        }
        double peak = -1;
        const bool read = ::read(ends[0], &peak, sizeof peak) == sizeof peak;
        ::close(ends[0]);
        ::close(ends[1]);
        ::waitpid(child, nullptr, 0);
        if (!read || peak < 0)
            std::abort();
        peaks.push_back(peak);
        sizes.push_back(static_cast<double>(bytes.size()) / (1024 * 1024));
    }
    bench::reportPair(state, peaks, sizes, bench::Goal::ratio(3), "MB.");
}
BENCHMARK(SaveLargestAlbumPeak)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
