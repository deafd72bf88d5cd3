// The web export of the largest album in each template, against writing and syncing the same page
// bytes in one write, paired by name for bench/run-all: Export/ours/N against Export/anchor/N, N the
// template (0 Static HTML Linear, 1 JavaScript HTML Popup, 2 CSS/JS Advanced Viewer). AtomicWrite
// sets the export's safe write (temporary file, sync, rename) against the same plain write.

#include "MaximalAlbum.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "export/HtmlExport.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

struct LoadedAlbum {
    LoadedAlbum() : book(makeStorybook()) {
        folder = std::filesystem::temp_directory_path() /
                 ("brindlecove-export-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        if (!ReadStorybookLinesText(*book, maximalAlbumBytes()))
            std::abort();
        ParseAlbumGlobals(*book);
        if (ParseStorybookRecords(*book).outcome != ParseOutcome::Complete || book->varPageCount != 1025)
            std::abort();
    }
    ~LoadedAlbum() { std::filesystem::remove_all(folder); }
    std::unique_ptr<Storybook> book;
    std::filesystem::path folder;
};

LoadedAlbum& loaded() {
    static LoadedAlbum album;
    return album;
}

const char* const kTemplates[] = {webtemplate::kStaticLinear, webtemplate::kPopup,
                                  webtemplate::kAdvancedViewer};

void Export(benchmark::State& state) {
    const char* name = kTemplates[state.range(0)];
    const std::string target = (loaded().folder / "Export.html").string();
    for (auto _ : state) {
        if (!ExportStorybookHtml(*loaded().book, target, name).ok)
            std::abort();
    }
    state.SetLabel(name);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(target));
}
BENCHMARK(Export)->Name("Export/ours")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void AnchorWriteAndSync(benchmark::State& state) {
    const char* name = kTemplates[state.range(0)];
    const std::string bytes = BuildExportPage(*loaded().book, name);
    const std::string target = (loaded().folder / "Plain.html").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsync(fd) != 0)
            std::abort();
        ::close(fd);
    }
    state.SetLabel(name);
}
BENCHMARK(AnchorWriteAndSync)->Name("Export/anchor")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(AnchorWriteAndSync)->Name("AtomicWrite/anchor")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The same bytes through the writer the export uses (temporary file, sync, rename): the cost of
// never leaving a half-written page.
void AnchorAtomicWrite(benchmark::State& state) {
    const char* name = kTemplates[state.range(0)];
    const std::string bytes = BuildExportPage(*loaded().book, name);
    const std::string target = (loaded().folder / "Atomic.html").string();
    for (auto _ : state) {
        if (!writeFileAtomically(target, bytes, FolderFlush::Skip).ok)
            std::abort();
    }
    state.SetLabel(name);
}
BENCHMARK(AnchorAtomicWrite)->Name("AtomicWrite/ours")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
