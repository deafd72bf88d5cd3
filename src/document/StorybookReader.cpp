#include "StorybookReader.h"

#include "FileText.h"
#include "LineScanner.h"

#include <cstring>

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

constexpr std::uint32_t kAllFieldTags = (tag::fieldOpen(0) * 0x3fu) | (tag::fieldClose(0) * 0x3fu);

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
            m_fieldTags += __builtin_popcount(tags & kAllFieldTags);
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
    LineSplitter lines(bytes);
    std::string_view line;
    while (!check.failed() && lines.next(line))
        check.line(line, scanTags(line));
    return check.verdict();
}

bool CheckStorybookStructure(const std::string& path) {
    static thread_local std::string bytes; // kept: the save checks every file it writes
    return readWholeFileInto(path, bytes) && CheckStorybookStructureText(bytes);
}

bool ReadStorybookLinesText(Storybook& album, std::string_view bytes) {
    const std::size_t lineCount = countLines(bytes);
    if (lineCount > static_cast<std::size_t>(album::kMaxFileLines))
        return false;

    LineSplitter lines(bytes);
    std::string_view line;
    int index = -1;
    while (lines.next(line))
        album.strLogFileArray[++index].assign(line.data(), line.size());
    album.intLogFileLastLine = static_cast<std::int16_t>(index);
    album.strLogFileArray[index + 1] = album::kEofMarker;
    return true;
}

bool ReadStorybookLines(Storybook& album, const std::string& path) {
    const auto bytes = readWholeFile(path);
    return bytes && ReadStorybookLinesText(album, *bytes);
}

void CheckAndReadStorybookText(Storybook& album, std::string_view bytes, LineScan& scan) {
    scan.lines.clear();
    scan.tags.clear();
    StructureCheck check;
    LineSplitter lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        const std::uint32_t tags = scanTags(line);
        check.line(line, tags);
        scan.lines.push_back(line);
        scan.tags.push_back(tags);
    }
    scan.checked = check.verdict();
    scan.read = scan.lines.size() <= static_cast<std::size_t>(album::kMaxFileLines);
    if (!scan.read)
        return; // the line image is left as it was
    const int count = static_cast<int>(scan.lines.size());
    for (int index = 0; index < count; ++index)
        album.strLogFileArray[index].assign(scan.lines[index].data(), scan.lines[index].size());
    album.intLogFileLastLine = static_cast<std::int16_t>(count - 1);
    album.strLogFileArray[count] = album::kEofMarker;
}

void CheckAndReadStorybook(Storybook& album, const std::string& path, LineScan& scan) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        scan = LineScan{};
        return;
    }
    CheckAndReadStorybookText(album, *bytes, scan);
    scan.lines.clear(); // they point into bytes read here
}
