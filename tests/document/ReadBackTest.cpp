// A save either reads back exactly as it was in memory or is refused with the album and its backup
// untouched, whatever a story holds.

#include "AlbumText.h"
#include "TempFolder.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"
#include "document/TextUtil.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

AlbumText fivePages() {
    AlbumText album;
    for (int p = 1; p <= 5; ++p)
        album.pages.push_back({"Page " + std::to_string(p),
                               "snapshot_4c1e9b07_0000000" + std::to_string(p) + ".jpg",
                               "Story " + std::to_string(p)});
    album.keywords = {"summer"};
    return album;
}

// Every line and tag the album's layout is recognised by.
const char* const kStructureTags[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
    "<StoryCreator>",
    "  <ClientEnvironment>",
    "  </ClientEnvironment>",
    "  <ExchangeMetadata>",
    "<ExchangeMetadata>",
    "    <Album>",
    "<Entry>",
    "      <Entry>",
    "</Entry>",
    "      </Entry>",
    "<Title>",
    "</Title>",
    "<Title>x</Title>",
    "<ThumbnailFilename>",
    "</ThumbnailFilename>",
    "<Snapshot>",
    "</Snapshot>",
    "<Text>",
    "</Text>",
    "<TextResourceId>",
    "<TimeStamp>",
    "</TimeStamp>",
    "      <KeywordList>",
    "      <KeywordList/>",
    "<KeywordList",
    "      </KeywordList>",
    "    </Album>",
    "  </ExchangeMetadata>",
    "</StoryCreator>",
    "]]>",
    "<![CDATA[",
    "{vbcrlf}",
};

struct Placement {
    const char* name;
    std::string (*story)(const std::string& tag);
};
const Placement kPlacements[] = {
    {"alone", [](const std::string& tag) { return tag; }},
    {"inside text", [](const std::string& tag) { return "before " + tag + " after"; }},
    {"a line of its own", [](const std::string& tag) { return "before\r\n" + tag + "\r\nafter"; }},
    {"first line", [](const std::string& tag) { return tag + "\r\nafter"; }},
    {"last line", [](const std::string& tag) { return "before\r\n" + tag; }},
};

} // namespace

TEST(ReadBack, EverySaveOfAStructureTagIsRefusedOrReadsBackEqual) {
    TempFolder folder;
    const std::string original = fivePages().bytes();
    const std::string path = folder.file("Storybook.xml");
    const std::string backup = folder.file("Storybook.bak");
    auto book = makeStorybook();
    auto reloaded = makeStorybook();
    int refused = 0;
    int saved = 0;
    for (const char* tag : kStructureTags) {
        for (const Placement& placement : kPlacements) {
            for (int page : {0, 2, 4}) {
                SCOPED_TRACE(std::string(tag) + " " + placement.name + " on page " + std::to_string(page));
                folder.write("Storybook.xml", original);
                folder.write("Storybook.bak", "backup");
                ASSERT_TRUE(ReadStorybookLines(*book, path));
                ParseAlbumGlobals(*book);
                ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
                const std::string story = "<![CDATA[" + placement.story(tag) + "]]>";
                book->varEntryArray[page][album::Text][album::Content] = story;

                if (BackupAndSave(*book, path).outcome != SaveOutcome::Saved) {
                    ++refused;
                    EXPECT_EQ(TempFolder::read(path), original);
                    EXPECT_EQ(TempFolder::read(backup), "backup");
                    continue;
                }
                ++saved;
                EXPECT_EQ(TempFolder::read(backup), original);
                ASSERT_TRUE(CheckStorybookStructure(path));
                ASSERT_TRUE(ReadStorybookLines(*reloaded, path));
                ASSERT_EQ(ParseStorybookRecords(*reloaded).outcome, ParseOutcome::Complete);
                ASSERT_EQ(reloaded->varPageCount, 5);
                for (int p = 0; p < 5; ++p) {
                    for (int f = 0; f < album::kFieldCount; ++f)
                        EXPECT_EQ(reloaded->content(p, f),
                                  replacedAll(std::string(book->content(p, f)), "{vbcrlf}", "\r\n"))
                            << "page " << p << " field " << f; // the mark is written as a line break
                }
            }
        }
    }
    // Both roads are taken: harmless tags are kept, harmful ones refused.
    EXPECT_GT(refused, 0);
    EXPECT_GT(saved, 0);
}

TEST(ReadBack, CdataEndInsideAChangedStoryIsRefusedButAnUnchangedOneIsKept) {
    TempFolder folder;
    AlbumText text = fivePages();
    text.pages[1].story = "as the file had it ]]> here";
    const std::string original = text.bytes();
    const std::string path = folder.write("Storybook.xml", original);
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLines(*book, path));
    ParseAlbumGlobals(*book);
    ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(path), original);

    book->varEntryArray[3][album::Text][album::Content] = "<![CDATA[typed ]]> in]]>";
    EXPECT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::CheckFailed);
    // The refused bytes were written beside the album while they were checked: that file is gone, and
    // the album and its backup are as they were.
    EXPECT_EQ(TempFolder::read(path), original);
    EXPECT_EQ(TempFolder::read(BackupPathFor(path)), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
    // The split that keeps the text inside one section is written.
    book->varEntryArray[3][album::Text][album::Content] = "<![CDATA[typed ]]]]><![CDATA[> in]]>";
    EXPECT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
}

TEST(ReadBack, AStoryThatWouldTakeTheFilePastItsLineLimitIsRefused) {
    TempFolder folder;
    AlbumText text;
    for (int p = 0; p < album::kEntrySlots; ++p)
        text.pages.push_back({"Day", "snapshot_4c1e9b07_00000001.jpg", "one line"});
    // 20 head lines, eight per page and four footer lines leave 1,775 lines for a story's line breaks.
    std::string longStory = "first";
    for (int line = 0; line < 1775; ++line)
        longStory += "\nmore";
    text.pages[7].story = longStory;
    const std::string path = folder.write("Storybook.xml", text.bytes());
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLines(*book, path));
    ASSERT_EQ(book->intLogFileLastLine, album::kMaxFileLines - 1);
    ParseAlbumGlobals(*book);
    ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);

    auto& story = book->varEntryArray[3][album::Text][album::Content];
    story = "<![CDATA[one more\r\nline]]>";
    const SaveResult refused = BackupAndSave(*book, path);
    EXPECT_EQ(refused.outcome, SaveOutcome::CheckFailed);
    EXPECT_EQ(TempFolder::read(path), text.bytes());
    ASSERT_TRUE(refused.message);
    EXPECT_NE(refused.message->text.find("The file would have 10000 lines, more than the 9999 an album can "
                                         "hold. The longest story, on page 8, has 1776 lines."),
              std::string::npos)
        << refused.message->text;
}
