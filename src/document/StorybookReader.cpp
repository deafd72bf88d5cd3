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

} // namespace

bool CheckStorybookStructureText(std::string_view bytes) {
    int score = 0;
    bool entryOpen = false;
    int fieldTags = 0;
    bool titleOpen = false;

    LineSplitter lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        score += structureScore(line);
        const std::uint32_t tags = scanTags(line);
        if (tags & tag::Entry) {
            if (entryOpen)
                return false;
            entryOpen = true;
            fieldTags = 0;
        }
        if (entryOpen)
            fieldTags += __builtin_popcount(tags & kAllFieldTags);
        if (tags & tag::EntryEnd) {
            if (!entryOpen || fieldTags < 12)
                return false;
            entryOpen = false;
        }
        if (tags & tag::fieldOpen(album::Title))
            titleOpen = true;
        if (tags & tag::fieldClose(album::Title))
            titleOpen = false;
    }
    return score >= 10 && !entryOpen && !titleOpen;
}

bool CheckStorybookStructure(const std::string& path) {
    const auto bytes = readWholeFile(path);
    return bytes && CheckStorybookStructureText(*bytes);
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
