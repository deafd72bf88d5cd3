// The album's load road and save, each against an anchor that does the same work, paired by name
// for bench/run-all ("<road>/ours" against "<road>/anchor"):
//   LoadFreshModel, LoadReusedModel   the maximal album, against pugixml load_file of the same file
//   LoadOneMegabyteLine               a story of one megabyte line, against pugixml on that file
//   OpenSplitStory                    a story of many CDATA splits, against the maximal album's open
//   SaveMaximalAlbum                  against one write and fsync of the same bytes (the well-formedness
//                                     check included)

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
#include <pugixml.hpp>
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
    }
    ~AlbumOnDisk() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string path;
    std::string bytes;
    std::string longLinePath;
    std::string splitStoryPath;
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

void LoadRoadOneMegabyteLine(benchmark::State& state) {
    album(); // made before the first timed iteration
    auto book = makeStorybook();
    for (auto _ : state)
        loadRoad(*book, album().longLinePath);
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
    state.counters["goal"] = 2;
}
BENCHMARK(OpenSplitStoryAlbum)->Name("OpenSplitStory/ours")->Unit(benchmark::kMicrosecond);

void OpenMaximalAlbum(benchmark::State& state) {
    album(); // made before the first timed iteration
    openAndShowFirstStory(state, album().path);
}
BENCHMARK(OpenMaximalAlbum)->Name("OpenSplitStory/anchor")->Unit(benchmark::kMicrosecond);

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
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, fresh, maximalPath)
    ->Name("LoadFreshModel/anchor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, reused, maximalPath)
    ->Name("LoadReusedModel/anchor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnchorPugixmlLoadFile, long_line, longLinePath)
    ->Name("LoadOneMegabyteLine/anchor")
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
    state.counters["goal"] = 2.5;
}
BENCHMARK(SaveMaximalAlbum)->Name("SaveMaximalAlbum/ours")->Unit(benchmark::kMillisecond);

void AnchorWriteAndFsyncMaximalAlbum(benchmark::State& state) {
    const std::string target = (album().folder / "Plain.xml").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, album().bytes.data(), album().bytes.size()) < 0 || ::fsync(fd) != 0)
            std::abort();
        ::close(fd);
    }
}
BENCHMARK(AnchorWriteAndFsyncMaximalAlbum)->Name("SaveMaximalAlbum/anchor")->Unit(benchmark::kMillisecond);

} // namespace
