// The album's load road and save, each against an anchor measured in the same run. Pairs (ours, anchor):
//   LoadRoadFreshModel, LoadRoadReusedModel   against AnchorPugixmlLoadFile (the same file)
//   LoadRoadOneMegabyteLine                   against LoadRoadReusedModel (the maximal album)
//   OpenSplitStoryAlbum                       against OpenMaximalAlbum (goal: within 2x)
//   SaveMaximalAlbum                          against AnchorWriteAndFsyncMaximalAlbum (the same bytes;
//                                             goal: within 2.5x, the well-formedness check included)

#include "MaximalAlbum.h"

#include "document/FileText.h"
#include "document/SilentHost.h"
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
    SilentHost host;
    LineScan scan;
    CheckAndReadStorybook(book, path, scan);
    if (!scan.checked || !scan.read)
        std::abort();
    ParseAlbumGlobals(book);
    if (ParseStorybookRecords(book, host, scan) != ParseOutcome::Complete || !host.messages.empty())
        std::abort(); // the album must load without a message
    benchmark::DoNotOptimize(book.varPageCount);
}

void LoadRoadReusedModel(benchmark::State& state) {
    auto book = makeStorybook();
    for (auto _ : state)
        loadRoad(*book, album().path);
    state.counters["lines"] = book->intLogFileLastLine + 1;
    state.counters["pages"] = book->varPageCount;
}
BENCHMARK(LoadRoadReusedModel)->Unit(benchmark::kMicrosecond);

// As the first open after start-up: the model is made as well. The program never frees its model, so
// freeing the last one is kept out of the time.
void LoadRoadFreshModel(benchmark::State& state) {
    std::unique_ptr<Storybook> book;
    for (auto _ : state) {
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
        book = makeStorybook();
        loadRoad(*book, album().path);
    }
}
BENCHMARK(LoadRoadFreshModel)->Unit(benchmark::kMicrosecond);

void LoadRoadOneMegabyteLine(benchmark::State& state) {
    auto book = makeStorybook();
    for (auto _ : state)
        loadRoad(*book, album().longLinePath);
}
BENCHMARK(LoadRoadOneMegabyteLine)->Unit(benchmark::kMicrosecond);

// The open as the window sees it: the load road, then the first page's story as the text box shows it.
void openAndShowFirstStory(benchmark::State& state, const std::string& path) {
    auto book = makeStorybook();
    for (auto _ : state) {
        loadRoad(*book, path);
        benchmark::DoNotOptimize(unwrapCdata(book->content(0, album::Text)).size());
    }
}

void OpenMaximalAlbum(benchmark::State& state) {
    openAndShowFirstStory(state, album().path);
}
BENCHMARK(OpenMaximalAlbum)->Unit(benchmark::kMicrosecond);

void OpenSplitStoryAlbum(benchmark::State& state) {
    openAndShowFirstStory(state, album().splitStoryPath);
}
BENCHMARK(OpenSplitStoryAlbum)->Unit(benchmark::kMicrosecond);

void AnchorPugixmlLoadFile(benchmark::State& state) {
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(album().path.c_str()))
            std::abort();
        benchmark::DoNotOptimize(document.first_child());
    }
}
BENCHMARK(AnchorPugixmlLoadFile)->Unit(benchmark::kMicrosecond);

void SaveMaximalAlbum(benchmark::State& state) {
    auto book = makeStorybook();
    SilentHost host;
    ReadStorybookLines(*book, album().path);
    ParseAlbumGlobals(*book);
    ParseStorybookRecords(*book, host);
    const std::string target = (album().folder / "Saved.xml").string();
    for (auto _ : state) {
        if (BackupAndSave(*book, host, target) != SaveOutcome::Saved)
            std::abort();
    }
}
BENCHMARK(SaveMaximalAlbum)->Unit(benchmark::kMillisecond);

void AnchorWriteAndFsyncMaximalAlbum(benchmark::State& state) {
    const std::string target = (album().folder / "Plain.xml").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, album().bytes.data(), album().bytes.size()) < 0 || ::fsync(fd) != 0)
            std::abort();
        ::close(fd);
    }
}
BENCHMARK(AnchorWriteAndFsyncMaximalAlbum)->Unit(benchmark::kMillisecond);

} // namespace
