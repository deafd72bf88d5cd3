#include "ReadBack.h"

#include "LineScanner.h"
#include "StoredText.h"
#include "StorybookParser.h"
#include "StorybookReader.h"
#include "XmlText.h"

namespace {

using album::kLineBreakMark;

constexpr const char* kFieldNames[album::kFieldCount] = {"title",      "thumbnail name", "snapshot name",
                                                         "story text", "text resource",  "time stamp"};

// A cell as it reads back once written: each "{vbcrlf}" comes back as the CR LF it is written as.
bool sameOnceWritten(std::string_view inMemory, std::string_view readBack) {
    // A mark never reads back as itself, so equal texts need no further look.
    if (inMemory == readBack)
        return true;
    if (inMemory.find(kLineBreakMark) == std::string_view::npos)
        return false;
    std::string expected;
    appendExpandingLineBreaks(expected, inMemory, "\r\n");
    return expected == readBack;
}

template <std::size_t N> bool sameRecord(const std::array<Cell, N>& a, const std::array<Cell, N>& b) {
    for (std::size_t slot = 0; slot < N; ++slot) {
        if (a[slot].isSet() != b[slot].isSet() || a[slot].text() != b[slot].text())
            return false;
    }
    return true;
}

using FieldParts = std::array<Cell, album::kPartCount>;

// The opening, content and closing part as one run of bytes when they lie next to each other, as a
// load leaves them; empty when they do not.
std::string_view adjoiningParts(const FieldParts& parts) {
    const std::string_view opening = parts[album::OpeningPart];
    const std::string_view content = parts[album::Content];
    const std::string_view closing = parts[album::ClosingPart];
    if (opening.empty() || content.data() != opening.data() + opening.size() ||
        closing.data() != content.data() + content.size())
        return {};
    return std::string_view(opening.data(), opening.size() + content.size() + closing.size());
}

// True when the field is written back as the file had it.
bool asRead(const FieldParts& parts) {
    const std::string_view whole = parts[album::WholeLine];
    if (!parts[album::WholeLine].isSet())
        return false;
    // The parts a load cut from the whole line need no compare.
    if (const std::string_view adjoining = adjoiningParts(parts);
        !adjoining.empty() && adjoining.data() == whole.data() && adjoining.size() == whole.size())
        return true;
    const std::string_view opening = parts[album::OpeningPart];
    const std::string_view content = parts[album::Content];
    const std::string_view closing = parts[album::ClosingPart];
    return whole.size() == opening.size() + content.size() + closing.size() && whole.starts_with(opening) &&
           whole.substr(opening.size(), content.size()) == content && whole.ends_with(closing);
}

// True when a field reads back as it is in memory.
bool sameField(const FieldParts& mine, const FieldParts& theirs) {
    // Most often both sides lie in one run of bytes, and one compare does for the three parts.
    const std::string_view a = adjoiningParts(mine);
    const std::string_view b = adjoiningParts(theirs);
    if (!a.empty() && a == b &&
        mine[album::OpeningPart].text().size() == theirs[album::OpeningPart].text().size() &&
        mine[album::Content].text().size() == theirs[album::Content].text().size())
        return true;
    for (int part : {album::OpeningPart, album::Content, album::ClosingPart}) {
        if (!sameOnceWritten(mine[part], theirs[part]))
            return false;
    }
    return true;
}

// What in a changed content would not be plain element text to an XML reader, or would be taken by
// the line reader for the album's structure; empty when nothing.
std::string changedContentProblem(std::string_view content) {
    if (const XmlFault fault = firstXmlContentFault(content))
        return fault.what;
    std::size_t from = 0;
    while (from <= content.size()) {
        std::size_t end = content.size();
        std::size_t next = end + 1;
        for (std::string_view lineBreak : {std::string_view("\r\n"), kLineBreakMark}) {
            if (const std::size_t at = content.find(lineBreak, from); at < end) {
                end = at;
                next = at + lineBreak.size();
            }
        }
        const std::string_view line = content.substr(from, end - from);
        if (line.find_first_of("\r\n") != std::string_view::npos)
            return "a CR or LF that is not part of a line break";
        if (scanTags(line) != 0 || line == album::kXmlDeclaration)
            return "text the album's line reader would take for one of its tags";
        from = next;
    }
    return {};
}

std::string changedFieldsProblem(const Storybook& album) {
    for (int e = 0; e < album.varPageCount; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f) {
            const auto& parts = album.varEntryArray[e][f];
            if (asRead(parts))
                continue;
            if (const std::string problem = changedContentProblem(parts[album::Content]); !problem.empty())
                return "Page " + std::to_string(e + 1) + ": the " + kFieldNames[f] + " holds " + problem +
                       ".";
        }
    }
    return {};
}

// The first page whose field reads back other than it is in memory, or -1.
int firstDifferingPage(const Storybook& album, const Storybook& back) {
    for (int e = 0; e < album.varPageCount; ++e) {
        if (e >= back.varPageCount)
            return e;
        for (int f = 0; f < album::kFieldCount; ++f) {
            if (!sameField(album.varEntryArray[e][f], back.varEntryArray[e][f]))
                return e;
        }
    }
    return -1;
}

int occurrences(std::string_view text, std::string_view what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// A line break is a mark or a CR LF pair, which no mark overlaps.
int fileLinesOf(std::string_view line) {
    return 1 + occurrences(line, kLineBreakMark) + occurrences(line, "\r\n");
}

// The line limit is reached by the album as a whole; the longest story is where lines can go.
std::string lineLimitProblem(const Storybook& album) {
    int fileLines = 0;
    for (int k = 0; k <= album.intLogFileLastLine; ++k)
        fileLines += fileLinesOf(album.strLogFileArray[k]);
    int longest = 0;
    int longestLines = 0;
    for (int e = 0; e < album.varPageCount; ++e) {
        const std::string_view story = album.content(e, album::Text);
        int lines = 1;
        for (auto at = story.find("\r\n"); at != std::string_view::npos; at = story.find("\r\n", at + 2))
            ++lines;
        if (lines > longestLines) {
            longest = e;
            longestLines = lines;
        }
    }
    return "The file would have " + std::to_string(fileLines) + " lines, more than the " +
           std::to_string(album::kMaxFileLines) + " an album can hold. The longest story, on page " +
           std::to_string(longest + 1) + ", has " + std::to_string(longestLines) + " lines.";
}

} // namespace

std::string placeOfLine(const Storybook& album, int k) {
    int head = 0;
    for (const Cell& cell : album.strXClientEnv)
        head += cell.isSet() ? 1 : 0;
    for (const Cell& cell : album.strXMetaHead)
        head += cell.isSet() ? 1 : 0;
    if (k < head)
        return "the head of the file";
    const int page = (k - head) / 8;
    if (page < album.varPageCount)
        return "page " + std::to_string(page + 1);
    return "the keyword list at the end of the file";
}

namespace {

// Lets the scratch model forget the bytes it read and the long stories it joined, keeping its tables
// and the blocks of joined stories of a usual size: a large save's bytes and what was read back from them are
// not held from one save to the next. The entries' cells are left referring to what was let go: the next
// parse resets them before anything reads them, and nothing else reads the scratch model.
void letGo(Storybook& back, LineScan& scan) {
    // Only these lines refer to the bytes; the read made those after them copies of their own.
    for (int k = 0; k <= back.intLogFileLastLine; ++k)
        back.strLogFileArray[k].reset();
    back.intLogFileLastLine = -1;
    for (Cell& cell : back.strXClientEnv)
        cell.reset();
    for (Cell& cell : back.strXMetaHead)
        cell.reset();
    for (Cell& cell : back.strXFooter)
        cell.reset();
    constexpr std::size_t kKeptJoinedBytes = 64 * 1024;
    for (std::string& joined : back.joinedTexts) {
        if (joined.capacity() > kKeptJoinedBytes)
            std::string().swap(joined);
    }
    back.lineBytes.reset();
    back.cellBytes.reset();
    back.spareBytes.reset();
    scan.lines.clear();
}

std::string loadProblem(const Storybook& album, Storybook& back, const std::shared_ptr<std::string>& bytes,
                        LineScan& scan) {
    CheckAndReadStorybookBuffer(back, bytes, scan);
    if (!scan.read)
        return lineLimitProblem(album);
    if (!scan.checked)
        return "The file would not pass the album's structure check.";
    ParseAlbumGlobals(back);
    if (const ParseResult parsed = ParseStorybookRecords(back, scan);
        parsed.outcome != ParseOutcome::Complete)
        return "The file would not load: " + (parsed.message ? parsed.message->text : "the parse stops.");
    if (!sameRecord(album.strXClientEnv, back.strXClientEnv) ||
        !sameRecord(album.strXMetaHead, back.strXMetaHead) || !sameRecord(album.strXFooter, back.strXFooter))
        return "The head or the keyword list of the file would not read back as it is.";
    if (back.varPageCount != album.varPageCount)
        return "The file would read back with " + std::to_string(back.varPageCount) + " pages instead of " +
               std::to_string(album.varPageCount) + ".";
    if (const int page = firstDifferingPage(album, back); page >= 0)
        return "Page " + std::to_string(page + 1) + " would not read back as it is.";
    if (album.strFamilyName != back.strFamilyName || album.strNeighborhoodName != back.strNeighborhoodName ||
        album.strLotName != back.strLotName || album.strTitle != back.strTitle)
        return "The album's names would not read back as they are.";
    return {};
}

} // namespace

std::string readBackProblem(const Storybook& album, const std::shared_ptr<std::string>& bytes) {
    if (std::string problem = changedFieldsProblem(album); !problem.empty())
        return problem;
    // One scratch model, reused: its tables are made once, for the largest album saved.
    static thread_local std::unique_ptr<Storybook> scratch = makeStorybook();
    static thread_local LineScan scan;
    // Let go on every way out, a failed allocation included: the bytes change before the next save.
    struct LetGoOnReturn {
        Storybook& back;
        LineScan& scan;
        ~LetGoOnReturn() { letGo(back, scan); }
    } letGoOnReturn{*scratch, scan};
    return loadProblem(album, *scratch, bytes, scan);
}
