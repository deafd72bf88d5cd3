#include "StorybookReader.h"

#include "FileText.h"
#include "LineScanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

// How many structure lines a line stands for: the fixed lines of the album layout count one, the
// empty keyword list counts for its opening and closing line.
int structureScore(std::string_view line) {
    static constexpr std::string_view kSingle[] = {
        "<StoryCreator>",        "  <ClientEnvironment>", "  </ClientEnvironment>", "  <ExchangeMetadata>",
        "    <Album>",           "      <KeywordList>",   "      </KeywordList>",   "    </Album>",
        "  </ExchangeMetadata>", "</StoryCreator>"};
    if (line.size() < 11 || line.size() > 23 || (line[0] != '<' && line[0] != ' '))
        return 0;
    if (line == "      <KeywordList/>")
        return 2;
    for (std::string_view text : kSingle) {
        if (line == text)
            return 1;
    }
    return 0;
}

// How many field tags a line holds; by table, since the build targets processors without a
// population count instruction and the library call would cost more than the rest of the check.
int fieldTagCount(std::uint32_t tags) {
    static constexpr auto kBits = [] {
        std::array<std::uint8_t, 64> bits{};
        for (unsigned value = 0; value < 64; ++value)
            bits[value] =
                static_cast<std::uint8_t>((value & 1) + ((value >> 1) & 1) + ((value >> 2) & 1) +
                                          ((value >> 3) & 1) + ((value >> 4) & 1) + ((value >> 5) & 1));
        return bits;
    }();
    static_assert(tag::fieldOpen(0) == 1u << 4 && tag::fieldClose(0) == 1u << 10);
    return kBits[(tags >> 4) & 63u] + kBits[(tags >> 10) & 63u];
}

// The structure check, fed one line at a time with the line's tags. A fault in an entry ends it: the
// lines after it change nothing.
class StructureCheck {
public:
    void line(std::string_view line, std::uint32_t tags) {
        if (m_failed)
            return;
        m_score += structureScore(line);
        if (tags & tag::Entry) {
            if (m_entryOpen) {
                m_failed = true;
                return;
            }
            m_entryOpen = true;
            m_fieldTags = 0;
        }
        if (m_entryOpen)
            m_fieldTags += fieldTagCount(tags);
        if (tags & tag::EntryEnd) {
            if (!m_entryOpen || m_fieldTags < 12) {
                m_failed = true;
                return;
            }
            m_entryOpen = false;
        }
        if (tags & tag::fieldOpen(album::Title))
            m_titleOpen = true;
        if (tags & tag::fieldClose(album::Title))
            m_titleOpen = false;
    }
    bool failed() const { return m_failed; }
    bool verdict() const { return !m_failed && m_score >= 10 && !m_entryOpen && !m_titleOpen; }

private:
    int m_score = 0;
    bool m_entryOpen = false;
    int m_fieldTags = 0;
    bool m_titleOpen = false;
    bool m_failed = false;
};

} // namespace

bool CheckStorybookStructureText(std::string_view bytes) {
    StructureCheck check;
    TaggedLines lines(bytes);
    std::string_view line;
    std::uint32_t tags = 0;
    while (!check.failed() && lines.next(line, tags))
        check.line(line, tags);
    return check.verdict();
}

bool CheckStorybookStructure(const std::string& path) {
    static thread_local std::string bytes; // kept: the save checks every file it writes
    return readWholeFileInto(path, bytes) && CheckStorybookStructureText(bytes);
}

namespace {

// A buffer for the next read: the spare one when nothing refers to it any more, else a new one.
std::shared_ptr<std::string> bufferForRead(Storybook& album) {
    std::shared_ptr<std::string> buffer = std::move(album.spareBytes);
    if (!buffer || buffer.use_count() != 1)
        buffer = std::make_shared<std::string>();
    return buffer;
}

// Makes the line image refer to the lines of buffer (given as offsets and lengths into it) and lets the
// last read's bytes go. Slots past the new end keep what they held, as their own copy, since the bytes
// they referred to may go.
template <typename Lines>
void takeLines(Storybook& album, std::shared_ptr<std::string> buffer, const Lines& lines) {
    const std::size_t count = lines.size();
    for (std::size_t slot = count + 1; slot < album.strLogFileArray.made(); ++slot) {
        Cell& line = album.strLogFileArray[slot];
        if (!line.holdsOwnText())
            line.set(line.text());
    }
    const char* data = buffer->data();
    for (std::size_t index = 0; index < count; ++index)
        album.strLogFileArray[index].setView(
            std::string_view(data + lines[index].first, lines[index].second));
    album.strLogFileArray[count] = album::kEofMarker;
    album.intLogFileLastLine = static_cast<std::int16_t>(static_cast<int>(count) - 1);
    album.spareBytes = std::move(album.lineBytes);
    album.lineBytes = std::move(buffer);
    album.linesReferToCellBytes = false; // every slot now refers to the new bytes or holds its own text
}

struct LineSpans {
    const std::vector<LineScan::Span>& spans;
    std::size_t size() const { return spans.size(); }
    std::pair<std::size_t, std::size_t> operator[](std::size_t index) const {
        return {spans[index].offset, spans[index].length};
    }
};

// The check and the reader over bytes that buffer holds as well (or is about to be given).
void checkAndRead(Storybook& album, std::string_view bytes, std::shared_ptr<std::string> buffer,
                  LineScan& scan) {
    scan.lines.clear();
    scan.tags.clear();
    // Room for the lines of an album of short lines, so the vectors seldom grow while scanning.
    const std::size_t expected = std::min<std::size_t>(bytes.size() / 32 + 16, album::kLineImageSlots);
    scan.lines.reserve(expected);
    scan.tags.reserve(expected);
    StructureCheck check;
    TaggedLines lines(bytes);
    std::string_view line;
    // A file past the line image's capacity is refused, so its lines are counted but not kept: the
    // memory a load takes stays within a small multiple of the file, whatever it holds.
    std::size_t count = 0;
    std::uint32_t tags = 0;
    while (lines.next(line, tags)) {
        check.line(line, tags);
        if (++count <= static_cast<std::size_t>(album::kMaxFileLines)) {
            scan.lines.push_back({static_cast<std::uint32_t>(line.data() - bytes.data()),
                                  static_cast<std::uint32_t>(line.size())});
            scan.tags.push_back(tags);
        }
    }
    scan.checked = check.verdict();
    scan.read = count <= static_cast<std::size_t>(album::kMaxFileLines) &&
                bytes.size() <= std::numeric_limits<std::uint32_t>::max();
    if (!scan.read) {
        album.spareBytes = std::move(buffer); // the line image is left as it was
        return;
    }
    if (buffer->data() != bytes.data())
        buffer->assign(bytes.data(), bytes.size());
    takeLines(album, std::move(buffer), LineSpans{scan.lines});
}

} // namespace

bool ReadStorybookLinesText(Storybook& album, std::string_view bytes) {
    const std::size_t lineCount = countLines(bytes);
    if (lineCount > static_cast<std::size_t>(album::kMaxFileLines))
        return false;

    std::shared_ptr<std::string> buffer = bufferForRead(album);
    if (buffer->data() != bytes.data())
        buffer->assign(bytes.data(), bytes.size());
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    spans.reserve(lineCount);
    LineSplitter lines(*buffer);
    std::string_view line;
    while (lines.next(line))
        spans.emplace_back(static_cast<std::size_t>(line.data() - buffer->data()), line.size());
    takeLines(album, std::move(buffer), spans);
    return true;
}

bool ReadStorybookLines(Storybook& album, const std::string& path) {
    std::string bytes;
    return readAlbumFile(path, bytes).ok && ReadStorybookLinesText(album, bytes);
}

void CheckAndReadStorybookText(Storybook& album, std::string_view bytes, LineScan& scan) {
    checkAndRead(album, bytes, bufferForRead(album), scan);
}

void CheckAndReadStorybookBuffer(Storybook& album, std::shared_ptr<std::string> bytes, LineScan& scan) {
    const std::string_view text = *bytes;
    checkAndRead(album, text, std::move(bytes), scan);
}

void CheckAndReadStorybook(Storybook& album, const std::string& path, LineScan& scan) {
    std::shared_ptr<std::string> buffer = bufferForRead(album);
    if (FileResult gate = readAlbumFile(path, *buffer); !gate.ok) {
        album.spareBytes = std::move(buffer);
        scan = LineScan{};
        scan.refusal = std::move(gate.error);
        return;
    }
    const std::string_view bytes = *buffer;
    checkAndRead(album, bytes, std::move(buffer), scan);
}
