// Arbitrary bytes as an album file, through the whole document: check, read, parse, page operations
// and save. The one-pass load must match the road of check, reader and parser, a save that reports
// success must leave a file that loads as it was saved, and the well-formedness check must never take
// what libxml2 refuses.

#include "LoadsAsSaved.h"

#include "document/FileText.h"
#include "document/PageOperations.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

const std::string& workFolder() {
    static const std::string folder = [] {
        const auto base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                              : std::filesystem::temp_directory_path();
        const auto path = base / ("brindlecove-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto book = makeStorybook();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = workFolder() + "/Storybook.xml";
    if (!writeFileAtomically(path, bytes).ok)
        std::abort();

    // The one-pass load must leave exactly what the check, the reader and the parser leave one by one.
    static auto reference = makeStorybook();
    const bool checked = CheckStorybookStructure(path);
    const bool read = ReadStorybookLines(*reference, path);
    LineScan scan;
    CheckAndReadStorybook(*book, path, scan);
    if (scan.checked != checked || scan.read != read)
        failFuzz("the one-pass check or reader");
    if (!read)
        return 0;
    ParseAlbumGlobals(*reference);
    const ParseResult referenceParse = ParseStorybookRecords(*reference);
    ParseAlbumGlobals(*book);
    const ParseResult parsed = ParseStorybookRecords(*book, scan);
    if (parsed.outcome != referenceParse.outcome || parsed.message != referenceParse.message)
        failFuzz("the one-pass parse's outcome");
    expectSameModels(*reference, *book);
    if (parsed.endsApplication())
        return 0;

    // A few page operations chosen by the input itself.
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 4); ++i) {
        const int page = book->varPageCount > 0 ? data[i] % book->varPageCount : 0;
        switch (data[i] % 4) {
        case 0:
            FillNewPage(*book, page, NewPage{"snapshot_4c1e9b07_00000001.jpg", "", "1/1/2026 00:00:00"});
            break;
        case 1:
            DeleteCurrentPage(*book, page);
            break;
        case 2:
            ReversePageOrder(*book);
            break;
        default:
            OpenPageSlot(*book, page);
            break;
        }
    }
    expectCheckAgreesWithLibxml2(bytes);
    const bool openedWellFormed = !firstXmlFault(bytes);
    if (const SaveResult saved = BackupAndSave(*book, path); saved.saved()) {
        expectLoadsAsSaved(*book, path);
        // Only an album that was not well-formed when opened is saved with a fault, and the save says so.
        expectWellFormedAsSaved(path, !openedWellFormed && saved.message);
    }
    return 0;
}
