#include "AlbumText.h"
#include "TempFolder.h"

#include "document/StorybookReader.h"

#include <gtest/gtest.h>

namespace {

AlbumText twoPages() {
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."},
                   {"", "snapshot_4c1e9b07_00000002.jpg", "First line\nsecond line\nthird line"}};
    return album;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    return out;
}

// One change to a well-formed album and whether the check still passes.
struct CheckCase {
    const char* what;
    std::vector<std::string> (*change)(std::vector<std::string>);
    bool passes;
};

std::vector<std::string> replaceLine(std::vector<std::string> lines, const std::string& from,
                                     const std::string& to) {
    for (auto& line : lines) {
        if (line == from) {
            line = to;
            break;
        }
    }
    return lines;
}

std::vector<std::string> eraseFirst(std::vector<std::string> lines, const std::string& containing) {
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->find(containing) != std::string::npos) {
            lines.erase(it);
            break;
        }
    }
    return lines;
}

const CheckCase kCheckCases[] = {
    {"well-formed album with an empty keyword list", [](auto lines) { return lines; }, true},
    {"keyword list as a pair of lines",
     [](auto lines) {
         lines = replaceLine(lines, "      <KeywordList/>", "      <KeywordList>");
         lines.insert(lines.end() - 3, "      </KeywordList>");
         return lines;
     },
     true},
    {"no closing StoryCreator", [](auto lines) { return eraseFirst(lines, "</StoryCreator>"); }, false},
    {"no closing StoryCreator but a structure line twice",
     [](auto lines) {
         lines = eraseFirst(lines, "</StoryCreator>");
         lines.push_back("    </Album>");
         return lines;
     },
     true},
    {"album line with two blanks", [](auto lines) { return replaceLine(lines, "    <Album>", "  <Album>"); },
     false},
    {"entry with five field lines", [](auto lines) { return eraseFirst(lines, "<TextResourceId>"); }, false},
    {"entry opened twice", [](auto lines) { return eraseFirst(lines, "      </Entry>"); }, false},
    {"entry closed twice",
     [](auto lines) {
         lines.insert(lines.end() - 4, "      </Entry>");
         return lines;
     },
     false},
    {"title opened and never closed outside entries",
     [](auto lines) {
         lines.insert(lines.end() - 1, "<Title>");
         return lines;
     },
     false},
    {"title closed on a later line",
     [](auto lines) {
         lines.insert(lines.end() - 1, "<Title>");
         lines.insert(lines.end() - 1, "</Title>");
         return lines;
     },
     true},
};

} // namespace

TEST(StructureCheck, JudgesTheWholeLineStructure) {
    for (const CheckCase& row : kCheckCases) {
        const std::string bytes = joined(row.change(twoPages().lines()));
        EXPECT_EQ(CheckStorybookStructureText(bytes), row.passes) << row.what;
    }
}

TEST(StructureCheck, EmptyFileAndMissingFileFail) {
    TempFolder folder;
    EXPECT_FALSE(CheckStorybookStructure(folder.write("empty.xml", "")));
    EXPECT_FALSE(CheckStorybookStructure(folder.file("missing.xml")));
    EXPECT_FALSE(CheckStorybookStructure(folder.path())); // a folder is no album
}

TEST(StructureCheck, CrLfAndMissingFinalLineEndAreTheSameFile) {
    AlbumText album = twoPages();
    album.lineEnd = "\r\n";
    EXPECT_TRUE(CheckStorybookStructureText(album.bytes()));
    album.finalLineEnd = true;
    EXPECT_TRUE(CheckStorybookStructureText(album.bytes()));
}

TEST(LineReader, StoresLinesAndTheEndMarker) {
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLinesText(*book, "first\r\nsecond\nthird"));
    EXPECT_EQ(book->intLogFileLastLine, 2);
    EXPECT_EQ(book->strLogFileArray[0], "first");
    EXPECT_EQ(book->strLogFileArray[2], "third");
    EXPECT_EQ(book->strLogFileArray[3], "<EOF>");

    // A shorter file leaves the longer one's lines above the marker.
    ASSERT_TRUE(ReadStorybookLinesText(*book, "only\n"));
    EXPECT_EQ(book->intLogFileLastLine, 0);
    EXPECT_EQ(book->strLogFileArray[1], "<EOF>");
    EXPECT_EQ(book->strLogFileArray[2], "third");

    ASSERT_TRUE(ReadStorybookLinesText(*book, ""));
    EXPECT_EQ(book->intLogFileLastLine, -1);
    EXPECT_EQ(book->strLogFileArray[0], "<EOF>");
}

TEST(LineReader, KeepsBytesAndLoneCarriageReturns) {
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLinesText(*book, "caf\xc3\xa9\nhalf\rline\n\n"));
    EXPECT_EQ(book->intLogFileLastLine, 2);
    EXPECT_EQ(book->strLogFileArray[0], "caf\xc3\xa9");
    EXPECT_EQ(book->strLogFileArray[1], "half\rline");
    EXPECT_EQ(book->strLogFileArray[2], "");
}

TEST(LineReader, FillsTheLineImageToCapacityAndRefusesMore) {
    auto book = makeStorybook();
    std::string bytes;
    for (int i = 0; i < 9999; ++i)
        bytes += "line\n";
    ASSERT_TRUE(ReadStorybookLinesText(*book, bytes));
    EXPECT_EQ(book->intLogFileLastLine, 9998);
    EXPECT_EQ(book->strLogFileArray[9999], "<EOF>");

    ASSERT_TRUE(ReadStorybookLinesText(*book, "short\n"));
    EXPECT_FALSE(ReadStorybookLinesText(*book, bytes + "one more"));
    EXPECT_EQ(book->intLogFileLastLine, 0) << "a refused file leaves the line image alone";
    EXPECT_EQ(book->strLogFileArray[0], "short");
}

TEST(LineReader, MissingOrUnreadableFileGivesFalse) {
    TempFolder folder;
    auto book = makeStorybook();
    EXPECT_FALSE(ReadStorybookLines(*book, folder.file("missing.xml")));
    EXPECT_FALSE(ReadStorybookLines(*book, folder.path()));
    EXPECT_TRUE(ReadStorybookLines(*book, folder.write("album.xml", twoPages().bytes())));
    EXPECT_EQ(book->strLogFileArray[0], "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}
