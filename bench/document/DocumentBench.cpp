// The album's load road and save, each against an anchor measured in the same run:
// loading against a DOM parse by pugixml, saving against one write and sync of the same bytes.

#include "MaximalAlbum.h"

#include "document/FileText.h"
#include "document/SilentHost.h"
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
    }
    ~AlbumOnDisk() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string path;
    std::string bytes;
};

AlbumOnDisk& album() {
    static AlbumOnDisk onDisk;
    return onDisk;
}

void LoadRoad(benchmark::State& state) {
    auto book = makeStorybook();
    SilentHost host;
    for (auto _ : state) {
        if (!CheckStorybookStructure(album().path) || !ReadStorybookLines(*book, album().path))
            std::abort();
        ParseAlbumGlobals(*book);
        if (ParseStorybookRecords(*book, host) != ParseOutcome::Complete || !host.messages.empty())
            std::abort(); // the maximal album must load without a message
        benchmark::DoNotOptimize(book->varPageCount);
    }
    state.counters["lines"] = book->intLogFileLastLine + 1;
    state.counters["pages"] = book->varPageCount;
}
BENCHMARK(LoadRoad)->Unit(benchmark::kMicrosecond);

void AnchorPugixmlParse(benchmark::State& state) {
    for (auto _ : state) {
        pugi::xml_document document;
        const auto parsed = document.load_buffer(album().bytes.data(), album().bytes.size());
        if (!parsed)
            std::abort();
        benchmark::DoNotOptimize(document.first_child());
    }
}
BENCHMARK(AnchorPugixmlParse)->Unit(benchmark::kMicrosecond);

void Save(benchmark::State& state) {
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
BENCHMARK(Save)->Unit(benchmark::kMillisecond);

void AnchorWriteAndSync(benchmark::State& state) {
    const std::string target = (album().folder / "Plain.xml").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, album().bytes.data(), album().bytes.size()) < 0 || ::fsync(fd) != 0)
            std::abort();
        ::close(fd);
    }
}
BENCHMARK(AnchorWriteAndSync)->Unit(benchmark::kMillisecond);

} // namespace
