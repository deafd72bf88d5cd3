#include "StorybookWriter.h"

#include "FileText.h"
#include "PathSplit.h"
#include "ReadBack.h"
#include "StoredText.h"
#include "StorybookReader.h"
#include "TextUtil.h"
#include "XmlText.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view kSaveFailed = "save operation failed";
constexpr std::string_view kEntryOpening = "      <Entry>";
constexpr std::string_view kEntryClosing = "      </Entry>";
// Every failed save ends with what happens next: the album stays open, its changes unsaved, so the user
// can save again or elsewhere.
constexpr std::string_view kNotSaved = "Modifications were not saved; the storybook stays open with them.  ";

// A line is written as it stands when what it holds besides its CR LF pairs are CR bytes: the line
// reader keeps those in their line (see writeLineBreak). An LF would start a line of its own.
bool writableAsItStands(std::string_view line) {
    for (auto at = findFirstOf<'\n'>(line); at != std::string_view::npos;
         at = findFirstOf<'\n'>(line, at + 1)) {
        if (at == 0 || line[at - 1] != '\r')
            return false;
    }
    return true;
}

// A line slot takes a cell's text as the cell holds it: referring to the same file bytes, or copied.
void copyCell(Cell& line, const Cell& cell) {
    if (cell.holdsOwnText())
        line.set(cell.text());
    else
        line.setView(cell.text());
}

// Appends the used slots of a record; false when the line image is full.
template <std::size_t N> bool copyRecord(Storybook& album, const std::array<Cell, N>& record, int& n) {
    for (const Cell& cell : record) {
        if (!cell.isSet())
            break;
        if (n >= album::kMaxFileLines)
            return false;
        copyCell(album.strLogFileArray[n++], cell);
    }
    return true;
}

// An entry line from its three parts; when they lie next to each other in the file's bytes, as read,
// the line refers to them there.
void joinParts(Cell& line, const std::array<Cell, album::kPartCount>& parts) {
    const Cell& opening = parts[album::OpeningPart];
    const Cell& content = parts[album::Content];
    const Cell& closing = parts[album::ClosingPart];
    const std::string_view a = opening.text();
    const std::string_view b = content.text();
    const std::string_view c = closing.text();
    if (!opening.holdsOwnText() && !content.holdsOwnText() && !closing.holdsOwnText() &&
        a.data() + a.size() == b.data() && b.data() + b.size() == c.data()) {
        line.setView(std::string_view(a.data(), a.size() + b.size() + c.size()));
        return;
    }
    std::string& text = line.ownText();
    text.assign(a);
    text += b;
    text += c;
}

// A line break is an LF, or a CR LF after a CR: the line reader drops one CR before an LF, so a text
// that ends a line in a CR (a file's CR CR LF, read as it stands) reads back only with one more.
// Written at out[at]; returns where the bytes end after it.
std::size_t writeLineBreak(char* out, std::size_t at) {
    if (at > 0 && out[at - 1] == '\r')
        out[at++] = '\r';
    out[at++] = '\n';
    return at;
}

// The file's bytes: lines joined by line breaks, each CR LF pair or "{vbcrlf}" within a line one as
// well, no line end after the last. pairedLines receives the lines that hold a CR LF pair. The bytes
// are written in place, in room for the longest they can be: a break after a line takes at most two
// bytes, and one within a line never more than it stands.
void fileBytes(const Storybook& album, std::string& bytes, std::vector<int>& pairedLines) {
    pairedLines.clear();
    std::size_t room = 0;
    for (int k = 0; k <= album.intLogFileLastLine; ++k)
        room += album.strLogFileArray[k].text().size() + 2;
    if (bytes.size() < room)
        bytes.resize(room);
    char* const out = bytes.data();
    std::size_t written = 0;
    for (int k = 0; k <= album.intLogFileLastLine; ++k) {
        if (k > 0)
            written = writeLineBreak(out, written);
        const std::string_view line = album.strLogFileArray[k];
        // The line is copied as it is looked through: a pair is found by its LF and a mark by its
        // brace, and neither overlaps the other. Bytes from `from` on are copied to out[written] on.
        std::size_t from = 0;
        std::size_t search = 0;
        for (;;) {
            const std::size_t at =
                search + copyToFirstOf<'\n', '{'>(out + written + (search - from), line.substr(search));
            if (at == line.size()) {
                written += line.size() - from;
                break;
            }
            std::size_t start = at;
            std::size_t length = album::kLineBreakMark.size();
            if (line[at] == '\n') {
                if (at == from || line[at - 1] != '\r') {
                    search = at + 1;
                    continue;
                }
                start = at - 1;
                length = 2;
                if (pairedLines.empty() || pairedLines.back() != k)
                    pairedLines.push_back(k);
            } else if (!line.substr(at).starts_with(album::kLineBreakMark)) {
                search = at + 1;
                continue;
            }
            written = writeLineBreak(out, written + (start - from));
            from = start + length;
            search = from;
        }
    }
    bytes.resize(written);
}

SaveResult failure(SaveOutcome outcome, std::string text) {
    return {outcome, Message{std::move(text), MessageIcon::Critical, std::string(kSaveFailed)}};
}

// A refused save never touches the album, so there is nothing to recover from the backup; the message
// says why, naming the page where it can.
std::string integrityFailureText(const std::string& reason) {
    return "XML Integrity Check Failed!\r\n\r\n" + reason +
           "\r\n\r\nThe storybook file was left as it was.\r\n" + std::string(kNotSaved);
}

// The album is only replaced without its backup when the user says so.
bool saveWithoutBackup(const SaveQuestion& ask, const std::string& reason) {
    if (!ask)
        return false;
    return ask(Message{"The backup copy of the storybook could not be made.\r\n" + reason +
                           "\r\n\r\nSave the storybook without a backup?",
                       MessageIcon::Critical, "backup failed", MessageButtons::YesNo}) == MessageAnswer::Yes;
}

std::string writeFailureText(const std::string& reason) {
    return "The storybook file could not be written.\r\n" + reason + "\r\n\r\n" + std::string(kNotSaved);
}

// Why a rebuild failed: the line that holds a stray line end, or the page at which the line image was
// full (-1 when it was full before the first page).
struct RebuildFault {
    int line = -1;
    int page = -1;
};

// Lays the line image out from the records and the entry table; a line break within a line stays the
// CR LF pair its cell holds (see markLineBreaks).
bool rebuild(Storybook& album, RebuildFault& fault) {
    album.linesReferToCellBytes = true;
    int n = 0;
    if (!copyRecord(album, album.strXClientEnv, n) || !copyRecord(album, album.strXMetaHead, n))
        return false;
    for (int e = 0; e < album.varPageCount; ++e) {
        if (n + 8 > album::kMaxFileLines) {
            fault.page = e;
            return false;
        }
        // The lines around an entry refer to texts that live as long as the program.
        album.strLogFileArray[n++].setView(kEntryOpening);
        for (int f = 0; f < album::kFieldCount; ++f)
            joinParts(album.strLogFileArray[n++], album.varEntryArray[e][f]);
        album.strLogFileArray[n++].setView(kEntryClosing);
    }
    if (!copyRecord(album, album.strXFooter, n))
        return false;
    album.strLogFileArray[n] = album::kEofMarker;
    album.intLogFileLastLine = static_cast<std::int16_t>(n - 1);

    // A line that refers to the bytes of the file parsed last is a piece of one of its lines (a load
    // refers to nothing else there), which holds no LF: only the others are looked through.
    for (int k = 0; k <= album.intLogFileLastLine; ++k) {
        const Cell& line = album.strLogFileArray[k];
        const bool pieceOfAFileLine = !line.holdsOwnText() && liesWithin(line.text(), album.cellBytes);
        if (!pieceOfAFileLine && !writableAsItStands(line)) {
            fault.line = k;
            return false;
        }
    }
    return true;
}

// Once a save has checked its bytes, a CR LF pair within a line of the image stands there as
// "{vbcrlf}", since no line read from a file holds one. Until then the line refers to the story it was
// joined from; the marked line is built beside that, or beside a copy of the slot's own text.
void markLineBreaks(Cell& line) {
    const std::string_view text = line.text();
    if (findFirstOf<'\n'>(text) == std::string_view::npos || text.find("\r\n") == std::string_view::npos)
        return;
    // The text is copied aside, so the cell's own text keeps its room from one save to the next.
    static thread_local std::string copy;
    std::string_view from = text;
    if (line.holdsOwnText()) {
        copy.assign(text);
        from = copy;
    }
    std::string& marked = line.emptiedOwnText();
    marked.reserve(from.size() +
                   (album::kLineBreakMark.size() - 2) * std::count(from.begin(), from.end(), '\n'));
    std::size_t done = 0;
    for (auto at = from.find("\r\n"); at != std::string_view::npos; at = from.find("\r\n", done)) {
        marked.append(from.substr(done, at - done));
        marked.append(album::kLineBreakMark);
        done = at + 2;
    }
    marked.append(from.substr(done));
    constexpr std::size_t kKeptCopyBytes = 64 * 1024; // a long story's copy is not held after the save
    if (copy.capacity() > kKeptCopyBytes)
        std::string().swap(copy);
}

void markLineBreaks(Storybook& album) {
    for (int k = 0; k <= album.intLogFileLastLine; ++k)
        markLineBreaks(album.strLogFileArray[k]);
}

void markLineBreaks(Storybook& album, const std::vector<int>& lines) {
    for (const int k : lines)
        markLineBreaks(album.strLogFileArray[k]);
}

std::string rebuildFailureText(const Storybook& album, const RebuildFault& fault) {
    const std::string limit = std::to_string(album::kMaxFileLines);
    const std::string reason =
        fault.line >= 0 ? "The text of " + placeOfLine(album, fault.line) +
                              " holds a CR or LF that is not part of a line break."
        : fault.page >= 0
            ? "Page " + std::to_string(fault.page + 1) + " goes past the " + limit +
                  " lines an album file can hold."
            : "The album's head and keyword list go past the " + limit + " lines an album file can hold.";
    return "LFA update failed        \r\n\r\n" + reason + "\r\n" + std::string(kNotSaved);
}

// The line of the file (1-based) that holds byte at.
std::size_t fileLineAt(std::string_view bytes, std::size_t at) {
    std::size_t line = 1;
    for (const char* p = bytes.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', bytes.data() + at - p))); ++p)
        ++line;
    return line;
}

// The line image's line that became file line fileLine.
int imageLineOf(const Storybook& album, std::size_t fileLine) {
    std::size_t lines = 0;
    for (int k = 0; k <= album.intLogFileLastLine; ++k) {
        const std::string_view line = album.strLogFileArray[k];
        lines += 1;
        for (auto at = line.find(album::kLineBreakMark); at != std::string_view::npos;
             at = line.find(album::kLineBreakMark, at + 1))
            ++lines;
        if (lines >= fileLine)
            return k;
    }
    return album.intLogFileLastLine;
}

std::string faultText(const Storybook& album, std::string_view bytes, const XmlFault& fault) {
    const std::size_t line = fileLineAt(bytes, fault.at);
    return "Line " + std::to_string(line) + " (" + placeOfLine(album, imageLineOf(album, line)) + ") holds " +
           fault.what + ".";
}

// An album that was not well-formed XML when it was opened may be saved with the same kind of fault:
// nothing changed in it may add one (the read-back refuses that), and refusing would leave the user no
// way to keep their work.
bool openedNotWellFormed(const Storybook& album) {
    return album.cellBytes && firstXmlFault(*album.cellBytes);
}

} // namespace

bool RebuildLogFileArray(Storybook& album) {
    RebuildFault fault;
    if (!rebuild(album, fault))
        return false;
    markLineBreaks(album);
    return true;
}

std::string BackupPathFor(const std::string& path) {
    PathParts parts = splitPath(path);
    if (parts.name.find(".xml") == std::string::npos)
        return path + ".bak";
    replaceAll(parts.name, ".xml", ".bak");
    return parts.folder + parts.name;
}

SaveResult BackupAndSave(Storybook& album, const std::string& path, const SaveQuestion& ask) {
    const std::string backup = BackupPathFor(path);

    if (RebuildFault fault; !rebuild(album, fault))
        return failure(SaveOutcome::RebuildFailed, rebuildFailureText(album, fault));
    // Nothing is written that would not load back as it is in memory, or that an XML reader would
    // refuse. The bytes checked are the bytes written, so the written file is not read again.
    static thread_local auto kept = std::make_shared<std::string>(); // kept from save to save
    const std::string& bytes = *kept;
    static thread_local std::vector<int> pairedLines;
    fileBytes(album, *kept, pairedLines);

    // The new file is written beside the album, and its bytes are on their way to the disk while they
    // are checked; it takes the album's place only once it is whole and they have passed, so a failure
    // at any step leaves the album and its backup as they were. The file written for bytes that fail
    // is removed with the writer.
    AtomicFileWriter writer(path);
    const FileResult written = writer.write(bytes, FileFlush::Started);
    const std::string problem = readBackProblem(album, kept);
    // Marked only now that the read-back has let its texts go: the largest story is then held at
    // most twice beside the album, as the bytes and as either its read-back or its marked line.
    markLineBreaks(album, pairedLines);
    if (!problem.empty())
        return failure(SaveOutcome::CheckFailed, integrityFailureText(problem));
    const XmlFault fault = firstXmlFault(bytes);
    if (fault && !openedNotWellFormed(album))
        return failure(SaveOutcome::CheckFailed, integrityFailureText(faultText(album, bytes, fault)));
    if (!written.ok)
        return failure(SaveOutcome::WriteFailed, writeFailureText(written.error));
    if (const FileResult kept = writer.keepBackup(backup); !kept.ok && !saveWithoutBackup(ask, kept.error))
        return {SaveOutcome::BackupRefused, std::nullopt};
    if (const FileResult committed = writer.commit(); !committed.ok)
        return failure(SaveOutcome::WriteFailed, writeFailureText(committed.error));

    if (!fault)
        return {};
    return {
        SaveOutcome::Saved,
        Message{"The storybook was saved. It was not well-formed XML when it was opened and still is not, "
                "so other programs may refuse it:\r\n\r\n" +
                    faultText(album, bytes, fault),
                MessageIcon::None, ""}};
}
