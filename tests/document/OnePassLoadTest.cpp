// The one-pass load against the road it replaces, kept here as the reference: check, reader and
// parser each on their own. Both must leave the same model, flags, outcome and messages, on the
// fuzz corpus and on albums at and past every limit, and on each of those with a line dropped or
// doubled.

#include "AlbumText.h"

#include "document/LineScanner.h"
#include "document/PageOperations.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

struct Road {
    std::unique_ptr<Storybook> book = makeStorybook(); // kept across inputs, as the program keeps it
    bool checked = false;
    bool read = false;
    ParseResult parsed;
};

void referenceRoad(Road& road, const std::string& bytes) {
    road.parsed = {};
    road.checked = CheckStorybookStructureText(bytes);
    road.read = ReadStorybookLinesText(*road.book, bytes);
    if (road.checked && road.read) {
        ParseAlbumGlobals(*road.book);
        road.parsed = ParseStorybookRecords(*road.book);
    }
}

void onePassRoad(Road& road, const std::string& bytes) {
    road.parsed = {};
    LineScan scan;
    CheckAndReadStorybookText(*road.book, bytes, scan);
    road.checked = scan.checked;
    road.read = scan.read;
    if (road.checked && road.read) {
        ParseAlbumGlobals(*road.book);
        road.parsed = ParseStorybookRecords(*road.book, scan);
    }
}

template <std::size_t N> bool sameCells(const std::array<Cell, N>& a, const std::array<Cell, N>& b) {
    for (std::size_t i = 0; i < N; ++i) {
        if (a[i].isSet() != b[i].isSet() || a[i].text() != b[i].text())
            return false;
    }
    return true;
}

// Slots past the end marker keep what earlier loads left there; a fresh model has nothing there.
enum class LineSlots { All, UpToTheMarker };

// The first difference between the two models, or nothing.
std::string difference(const Road& a, const Road& b, LineSlots slots = LineSlots::All) {
    if (a.checked != b.checked || a.read != b.read || a.parsed.outcome != b.parsed.outcome)
        return "flags or outcome";
    if (a.parsed.message != b.parsed.message)
        return "messages";
    const Storybook& x = *a.book;
    const Storybook& y = *b.book;
    const auto lines = slots == LineSlots::All ? x.strLogFileArray.size()
                                               : static_cast<std::size_t>(x.intLogFileLastLine + 2);
    if (x.intLogFileLastLine != y.intLogFileLastLine ||
        !std::equal(x.strLogFileArray.begin(), x.strLogFileArray.begin() + lines, y.strLogFileArray.begin()))
        return "line image";
    if (!sameCells(x.strXClientEnv, y.strXClientEnv) || !sameCells(x.strXMetaHead, y.strXMetaHead) ||
        !sameCells(x.strXFooter, y.strXFooter))
        return "records";
    if (x.varPageCount != y.varPageCount || x.strFamilyName != y.strFamilyName ||
        x.strNeighborhoodName != y.strNeighborhoodName || x.strLotName != y.strLotName ||
        x.strTitle != y.strTitle)
        return "page count or album values";
    for (int e = 0; e < album::kEntrySlots; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f) {
            if (!sameCells(x.varEntryArray[e][f], y.varEntryArray[e][f]))
                return "entry " + std::to_string(e) + " field " + std::to_string(f);
        }
    }
    return {};
}

AlbumText pages(int count, int storyLines = 1) {
    AlbumText album;
    std::string story = "story";
    for (int line = 1; line < storyLines; ++line)
        story += "\nmore";
    for (int p = 0; p < count; ++p)
        album.pages.push_back({"Day", "snapshot_4c1e9b07_00000001.jpg", p == 0 ? story : "one line"});
    return album;
}

std::string withLines(std::vector<std::string> lines, int at, const std::vector<std::string>& more) {
    lines.insert(lines.begin() + at, more.begin(), more.end());
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    return out;
}

// Albums at and one past each limit: lines, pages, and the three records.
std::vector<std::string> albumsAtTheLimits() {
    std::vector<std::string> albums;
    const int fixedLines = 20 + 1025 * 8 + 4;
    for (int extra : {-1, 0, 1}) // 9,998, 9,999 and 10,000 lines
        albums.push_back(pages(1025, album::kMaxFileLines - fixedLines + 1 + extra).bytes());
    AlbumText tooMany = pages(1026);
    albums.push_back(tooMany.bytes());
    const auto lines = pages(2).lines();
    for (int more : {0, 1}) {
        albums.push_back(withLines(lines, 3, std::vector<std::string>(more, "    <Extra/>")));    // 9 / 10
        albums.push_back(withLines(lines, 11, std::vector<std::string>(more, "      <Extra/>"))); // 11 / 12
    }
    AlbumText footer = pages(2);
    footer.keywords = std::vector<std::string>(9, "word"); // 14 footer lines
    albums.push_back(footer.bytes());
    footer.keywords.push_back("one more");
    albums.push_back(footer.bytes());
    AlbumText crlf = pages(3, 3);
    crlf.lineEnd = "\r\n";
    crlf.finalLineEnd = true;
    albums.push_back(crlf.bytes());
    albums.push_back("");
    albums.push_back("\n");
    albums.push_back(pages(2).bytes() + "\r");
    std::string unterminated = pages(1, 3).bytes();
    unterminated.resize(unterminated.find("]]></Text>"));
    albums.push_back(unterminated);
    return albums;
}

// Each album with a line dropped and with a line doubled, line by line (capped for the large ones).
std::vector<std::string> mutationsOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', from), bytes.size());
        lines.push_back(bytes.substr(from, end - from));
        from = end + 1;
    }
    std::vector<std::string> out;
    const std::size_t step = std::max<std::size_t>(1, lines.size() / 40);
    for (std::size_t k = 0; k < lines.size(); k += step) {
        for (int change : {0, 1}) {
            std::string mutated;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i == k && change == 0)
                    continue;
                mutated += lines[i] + "\n";
                if (i == k)
                    mutated += lines[i] + "\n";
            }
            out.push_back(std::move(mutated));
        }
    }
    return out;
}

void expectSameRoads(const std::vector<std::string>& inputs, const std::string& what) {
    Road reference;
    Road onePass;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        referenceRoad(reference, inputs[i]);
        onePassRoad(onePass, inputs[i]);
        ASSERT_EQ(difference(reference, onePass), "") << what << " " << i;
        if (onePass.read && onePass.checked) {
            Road fresh;
            onePassRoad(fresh, inputs[i]);
            ASSERT_EQ(difference(fresh, onePass, LineSlots::UpToTheMarker), "")
                << what << " " << i << " in a fresh model";
        }
    }
}

// Each line and its tags found together, against the line splitter and the tag scan of each line,
// with the text shifted so every tag and line end meets every place in a block of bytes.
void expectTaggedLinesAgree(const std::string& bytes, const std::string& what) {
    for (std::size_t shift = 0; shift < 17; ++shift) {
        const std::string shifted = std::string(shift, 'x') + bytes;
        LineSplitter lines(shifted);
        TaggedLines tagged(shifted);
        std::string_view line, taggedLine;
        std::uint32_t tags = 0;
        std::size_t index = 0;
        while (lines.next(line)) {
            ASSERT_TRUE(tagged.next(taggedLine, tags)) << what << " ends early, shift " << shift;
            ASSERT_EQ(taggedLine, line) << what << " line " << index << ", shift " << shift;
            ASSERT_EQ(tags, scanTags(line)) << what << " tags of line " << index << ", shift " << shift;
            ++index;
        }
        ASSERT_FALSE(tagged.next(taggedLine, tags)) << what << " runs on, shift " << shift;
    }
}

} // namespace

TEST(OnePassLoad, MatchesTheReferenceRoadOnTheFuzzCorpus) {
    std::vector<std::string> inputs;
    for (const auto& file : std::filesystem::recursive_directory_iterator(BRINDLECOVE_FUZZ_CORPUS)) {
        if (!file.is_regular_file())
            continue;
        std::ifstream in(file.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_FALSE(inputs.empty());
    expectSameRoads(inputs, "corpus file");
    for (std::size_t i = 0; i < inputs.size(); ++i)
        expectTaggedLinesAgree(inputs[i], "corpus file " + std::to_string(i));
}

TEST(OnePassLoad, MatchesTheReferenceRoadAtEveryLimitAndAroundIt) {
    std::vector<std::string> inputs;
    for (const std::string& album : albumsAtTheLimits()) {
        inputs.push_back(album);
        for (std::string& mutated : mutationsOf(album))
            inputs.push_back(std::move(mutated));
    }
    expectSameRoads(inputs, "album");
}

TEST(OnePassLoad, TagsAtLineEndsAndAcrossThemAreFoundAsLineByLine) {
    for (const std::string text :
         {"<Title>a</Title>\r\n<Text>", "<Entr\ny>\n<", "</Entry\r>\n</Text\n>", "a\rb<Time\r\nStamp>",
          "<KeywordList\n<KeywordList/>", "\n\n<\n/Entry>\r\n\r\n", "<Snapshot><Snapshot></Snapshot"})
        expectTaggedLinesAgree(text, "\"" + text + "\"");
}

// A model kept from one load to the next holds afterwards just what a fresh one would: the
// entries of a longer album before it, and of pages added and deleted since, are unset again.
TEST(OnePassLoad, AKeptModelAfterALongerAlbumAndPageChangesLoadsAsAFreshOne) {
    Road kept;
    onePassRoad(kept, pages(5).bytes());
    for (int added = 0; added < 3; ++added) {
        const int page = kept.book->varPageCount;
        ASSERT_TRUE(OpenPageSlot(*kept.book, page));
        kept.book->varEntryArray[page][album::Snapshot][album::Content] = "added.jpg";
    }
    for (int deleted = 0; deleted < 3; ++deleted)
        DeleteCurrentPage(*kept.book, kept.book->varPageCount - 1);
    ASSERT_EQ(kept.book->varPageCount, 5);

    // Its second page stamped twice: the second stamp goes into a third entry, past the pages.
    std::string stampedTwice = pages(2).bytes();
    const std::size_t resource = stampedTwice.rfind("<TextResourceId>");
    const std::size_t stamp = stampedTwice.rfind("<TimeStamp>");
    stampedTwice.replace(resource, stampedTwice.find('\n', resource) - resource,
                         stampedTwice.substr(stamp, stampedTwice.find('\n', stamp) - stamp));
    for (const std::string& album : {pages(1).bytes(), stampedTwice, pages(1).bytes()}) {
        onePassRoad(kept, album);
        Road fresh;
        onePassRoad(fresh, album);
        ASSERT_EQ(difference(fresh, kept, LineSlots::UpToTheMarker), "");
        if (album == stampedTwice) {
            ASSERT_TRUE(kept.book->varEntryArray[2][album::TimeStamp][album::Content].isSet());
        }
    }
}
