// Edits chosen by the fuzzer on good albums (a small one, the largest the program takes, one without
// pages): story texts, titles, snapshot names and page operations, with saves in between. Every
// save that claims success must leave a file that loads as it was saved; a refused one must leave
// the album file as it was.

#include "LoadsAsSaved.h"
#include "MaximalAlbum.h"

#include "document/FileText.h"
#include "document/PageOperations.h"
#include "document/StoredText.h"
#include "document/StorybookWriter.h"
#include "document/XmlText.h"

#include <filesystem>
#include <unistd.h>

namespace {

std::string smallAlbumBytes() {
    std::string bytes = maximalAlbumBytes();
    // The head, three pages and the footer of the largest album.
    const std::size_t firstEntry = bytes.find("      <Entry>");
    std::size_t afterThree = firstEntry;
    for (int page = 0; page < 3; ++page)
        afterThree = bytes.find("      </Entry>\n", afterThree) + 15;
    const std::size_t footer = bytes.find("      <KeywordList/>");
    return bytes.substr(0, afterThree) + bytes.substr(footer);
}

std::string noPagesBytes() {
    const std::string bytes = maximalAlbumBytes();
    return bytes.substr(0, bytes.find("      <Entry>")) + bytes.substr(bytes.find("      <KeywordList/>"));
}

// The largest album is slow to load and save many times over; it gets one input in sixteen.
const std::string& baseAlbum(std::uint8_t choice) {
    static const std::string albums[] = {maximalAlbumBytes(), noPagesBytes(), smallAlbumBytes()};
    return albums[std::min(choice % 16, 2)];
}

const std::string& albumPath() {
    static const std::string path = [] {
        const auto base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                              : std::filesystem::temp_directory_path();
        const auto folder = base / ("brindlecove-fuzz-edits-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return (folder / "Storybook.xml").string();
    }();
    return path;
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool done() const { return m_pos >= m_size; }
    std::uint8_t byte() { return done() ? 0 : m_data[m_pos++]; }
    // A text of up to 65,535 bytes, its length given by two bytes.
    std::string text() {
        std::size_t length = byte();
        length |= static_cast<std::size_t>(byte()) << 8;
        length = std::min(length, m_size - std::min(m_pos, m_size));
        std::string out(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// typed: the pages were changed only as the window changes them (texts typed, pages added, moved or
// removed), so the save may be refused only for the album's size.
void saveAndCheck(Storybook& book, bool typed) {
    const std::string before = readWholeFile(albumPath()).value_or("");
    const SaveResult saved = BackupAndSave(book, albumPath());
    if (saved.saved()) {
        expectLoadsAsSaved(book, albumPath());
        expectWellFormedAsSaved(albumPath(), false); // every base album is well-formed
        return;
    }
    if (readWholeFile(albumPath()).value_or("") != before)
        failFuzz("a refused save changed the album file");
    const std::string why = saved.message ? saved.message->text : "";
    if (typed && why.find("lines") == std::string::npos) {
        std::fprintf(stderr, "%s\n", why.c_str());
        failFuzz("a save of typed texts was refused for another reason than the album's size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto book = makeStorybook();
    Input input(data, size);
    const std::string& base = baseAlbum(input.byte());
    if (!writeFileAtomically(albumPath(), base).ok)
        std::abort();
    if (!ReadStorybookLinesText(*book, base))
        std::abort();
    ParseAlbumGlobals(*book);
    if (ParseStorybookRecords(*book).outcome != ParseOutcome::Complete)
        std::abort();

    auto page = [&](std::uint8_t at) {
        return static_cast<std::int16_t>(book->varPageCount > 0 ? at % book->varPageCount : 0);
    };
    int saves = 0;
    bool typed = true;
    while (!input.done()) {
        const std::uint8_t op = input.byte();
        const std::int16_t current = page(input.byte());
        auto& entry = book->varEntryArray[current];
        switch (op % 10) {
        case 0:
            entry[album::Text][album::Content] = "<![CDATA[" + input.text() + "]]>";
            typed = false;
            break;
        case 1:
            entry[album::Title][album::Content] = "<![CDATA[" + input.text() + "]]>";
            typed = false;
            break;
        case 2:
            entry[album::Text][album::Content] = input.text();
            typed = false;
            break;
        case 3: {
            const std::string snapshot = input.text();
            typed = typed && storableNameProblem(snapshot).empty(); // the browser offers no other
            FillNewPage(*book, current, NewPage{snapshot, "", "1/1/2026 00:00:00"});
            break;
        }
        case 4:
            DeleteCurrentPage(*book, current);
            break;
        case 5:
            ReversePageOrder(*book);
            break;
        case 6:
            OpenPageSlot(*book, current);
            typed = false; // the window fills an opened slot at once
            break;
        case 7:
            entry[album::Snapshot][album::Content] = input.text();
            typed = false;
            break;
        case 8: {
            // As the window stores a typed story: made storable, then kept in CDATA sections.
            std::string story = input.text();
            makeStorableXmlText(story);
            if (book->varPageCount > 0)
                entry[album::Text][album::Content] = wrapInCdata(story);
            break;
        }
        default:
            // A save costs a load and more; a few per input reach every state the edits make.
            if (++saves <= 3)
                saveAndCheck(*book, typed);
            break;
        }
    }
    saveAndCheck(*book, typed);
    return 0;
}
