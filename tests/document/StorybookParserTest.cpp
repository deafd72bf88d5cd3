#include "AlbumText.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    std::unique_ptr<Storybook> book = makeStorybook();
    ParseResult parsed;
};

std::unique_ptr<Loaded> load(const std::string& bytes) {
    auto loaded = std::make_unique<Loaded>();
    EXPECT_TRUE(ReadStorybookLinesText(*loaded->book, bytes));
    ParseAlbumGlobals(*loaded->book);
    loaded->parsed = ParseStorybookRecords(*loaded->book);
    return loaded;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += lines[i] + (i + 1 < lines.size() ? "\n" : "");
    return out;
}

AlbumText threePages() {
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."},
                   {"Party", "snapshot_4c1e9b07_00000002.jpg", "First line\nsecond line\nthird line"},
                   {"", "snapshot_77aa0b12_00000003.jpg", ""}};
    album.keywords = {"summer", "family"};
    return album;
}

void expectMessage(const ParseResult& parsed, const std::string& text, MessageIcon icon,
                   const std::string& title) {
    ASSERT_TRUE(parsed.message) << "expected the message \"" << text << "\"";
    EXPECT_EQ(parsed.message->text, text);
    EXPECT_EQ(parsed.message->buttons, MessageButtons::Ok);
    EXPECT_EQ(parsed.message->icon, icon);
    EXPECT_EQ(parsed.message->title, title);
}

} // namespace

TEST(AlbumParser, SplitsRecordsEntriesAndMetadata) {
    auto loaded = load(threePages().bytes());
    const Storybook& book = *loaded->book;
    EXPECT_EQ(loaded->parsed.outcome, ParseOutcome::Complete);
    EXPECT_FALSE(loaded->parsed.message);
    EXPECT_EQ(book.varPageCount, 3);

    EXPECT_EQ(book.strFamilyName, "Hawthorne");
    EXPECT_EQ(book.strNeighborhoodName, "Pleasantview");
    EXPECT_EQ(book.strLotName, "Willow Lane");
    EXPECT_EQ(book.strTitle, "Our Summer");

    EXPECT_EQ(book.strXClientEnv[0], album::kXmlDeclaration);
    EXPECT_EQ(book.strXClientEnv[8], "  </ClientEnvironment>");
    EXPECT_FALSE(book.strXClientEnv[9].isSet());
    EXPECT_EQ(book.strXMetaHead[0], "  <ExchangeMetadata>");
    EXPECT_EQ(book.strXMetaHead[10], "      <Description></Description>");
    EXPECT_FALSE(book.strXMetaHead[11].isSet());
    EXPECT_EQ(book.strXFooter[0], "      <KeywordList>");
    EXPECT_EQ(book.strXFooter[6], "</StoryCreator>");
    EXPECT_FALSE(book.strXFooter[7].isSet());

    const auto& title = book.varEntryArray[0][album::Title];
    EXPECT_EQ(title[album::WholeLine], "        <Title><![CDATA[Arrival]]></Title>");
    EXPECT_EQ(title[album::OpeningPart], "        <Title>");
    EXPECT_EQ(title[album::Content], "<![CDATA[Arrival]]>");
    EXPECT_EQ(title[album::ClosingPart], "</Title>");
    EXPECT_EQ(book.content(0, album::ThumbnailFilename), "thumbnail_4c1e9b07_00000001.jpg");
    EXPECT_EQ(book.content(2, album::Snapshot), "snapshot_77aa0b12_00000003.jpg");
    EXPECT_EQ(book.content(2, album::Text), "<![CDATA[]]>");
    EXPECT_EQ(book.content(0, album::TimeStamp), "3/14/2026 18:22:41");
}

TEST(AlbumParser, JoinsAStoryOfSeveralLinesWithCrLf) {
    auto loaded = load(threePages().bytes());
    const auto& text = loaded->book->varEntryArray[1][album::Text];
    EXPECT_EQ(text[album::Content], "<![CDATA[First line\r\nsecond line\r\nthird line]]>");
    EXPECT_EQ(text[album::ClosingPart], "</Text>");
    EXPECT_EQ(loaded->book->content(1, album::TextResourceId), "0x00000001");
}

TEST(AlbumParser, UnterminatedStoryStopsAtTheLastLine) {
    // "</Text>" followed by a blank never ends the join; it must not take in "<EOF>" or old lines.
    auto book = makeStorybook();
    std::string longer;
    for (int i = 0; i < 60; ++i)
        longer += "leftover\n";
    ASSERT_TRUE(ReadStorybookLinesText(*book, longer));
    AlbumText album = threePages();
    album.pages.resize(1);
    auto lines = album.lines();
    for (auto& line : lines) {
        if (line.find("<Text>") != std::string::npos)
            line += " ";
    }
    ASSERT_TRUE(ReadStorybookLinesText(*book, joined(lines)));
    ParseStorybookRecords(*book);
    const std::string_view whole = book->varEntryArray[0][album::Text][album::WholeLine].text();
    EXPECT_EQ(whole.find("<EOF>"), std::string::npos);
    EXPECT_EQ(whole.find("leftover"), std::string::npos);
    EXPECT_TRUE(whole.ends_with("</StoryCreator>"));
}

TEST(AlbumParser, StoppingMessages) {
    struct Row {
        const char* what;
        std::vector<std::string> (*change)(std::vector<std::string>);
        const char* text;
        MessageIcon icon;
        const char* title;
        ParseOutcome outcome;
    };
    const Row rows[] = {
        {"blank first line",
         [](auto lines) {
             lines.insert(lines.begin(), "");
             return lines;
         },
         "Invalid Storybook XML      ", MessageIcon::Critical, "cannot open file", ParseOutcome::Stopped},
        {"blank after the declaration",
         [](auto lines) {
             lines[0] += " ";
             return lines;
         },
         "Invalid Storybook XML      ", MessageIcon::Critical, "cannot open file", ParseOutcome::Stopped},
        {"client environment of ten lines",
         [](auto lines) {
             lines.insert(lines.begin() + 3, "    <Extra/>");
             return lines;
         },
         "StoryCreator: unexpected record length.     ", MessageIcon::Critical, "cannot continue",
         ParseOutcome::Stopped},
        {"metadata head of twelve lines",
         [](auto lines) {
             lines.insert(lines.begin() + 12, "      <Extra/>");
             return lines;
         },
         "ExchangeMetadata: unexpected record length.     ", MessageIcon::Critical, "cannot continue",
         ParseOutcome::Stopped},
        {"title with a blank after its closing tag",
         [](auto lines) {
             for (auto& line : lines) {
                 if (line.starts_with("        <Title>")) {
                     line += " ";
                     break;
                 }
             }
             return lines;
         },
         "error: parsed array strings do not match!", MessageIcon::None, "", ParseOutcome::EndApplication},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto loaded = load(joined(row.change(threePages().lines())));
        expectMessage(loaded->parsed, row.text, row.icon, row.title);
        EXPECT_EQ(loaded->parsed.outcome, row.outcome);
    }
}

TEST(AlbumParser, FooterOfFourteenLinesLoadsAndFifteenEndsTheApplication) {
    AlbumText album = threePages();
    album.keywords.assign(9, "word");
    auto loaded = load(album.bytes());
    EXPECT_EQ(loaded->parsed.outcome, ParseOutcome::Complete);
    EXPECT_EQ(loaded->book->strXFooter[13], "</StoryCreator>");

    album.keywords.push_back("one too many");
    loaded = load(album.bytes());
    expectMessage(loaded->parsed, "KeywordList: unexpected record length.     ", MessageIcon::Critical,
                  "cannot continue");
    EXPECT_TRUE(loaded->parsed.endsApplication());
}

TEST(AlbumParser, FillsTheEntryTableAndNeverStoresBeyondIt) {
    AlbumText album;
    album.pages.assign(1025, PageText{"t", "snapshot_4c1e9b07_00000001.jpg", "s"});
    auto loaded = load(album.bytes());
    EXPECT_EQ(loaded->parsed.outcome, ParseOutcome::Complete);
    EXPECT_EQ(loaded->book->varPageCount, 1025);

    album.pages.emplace_back(PageText{"extra", "snapshot_4c1e9b07_00000002.jpg", "s"});
    loaded = load(album.bytes());
    EXPECT_EQ(loaded->parsed.outcome, ParseOutcome::Stopped);
    EXPECT_EQ(loaded->book->varPageCount, 1025);
    expectMessage(loaded->parsed, "Storybook: too many pages.     ", MessageIcon::Critical,
                  "cannot continue");
}

TEST(AlbumParser, ShortFieldLineStaysInsideTheLine) {
    auto book = makeStorybook();
    EXPECT_EQ(StoreEntryField(*book, 0, album::Title, "<Title>", 8, 7).outcome, ParseOutcome::Complete);
    EXPECT_EQ(book->varEntryArray[0][album::Title][album::Content], "");
    EXPECT_TRUE(
        StoreEntryField(*book, 0, album::Snapshot, "        <Snapshot>a.jpg", 8, 10).endsApplication());
}

TEST(AlbumGlobals, CutByFixedWidths) {
    AlbumText album = threePages();
    album.title = "";
    album.family = "O'Hara & Sons";
    auto loaded = load(album.bytes());
    EXPECT_EQ(loaded->book->strTitle, "");
    EXPECT_EQ(loaded->book->strFamilyName, "O'Hara & Sons");

    // Two trailing blanks carry two characters of the closing markup into the value.
    auto lines = threePages().lines();
    lines[17] += "  ";
    loaded = load(joined(lines));
    EXPECT_EQ(loaded->book->strLotName, "Willow Lane]]");

    // A line shorter than its markup gives an empty text, not a negative cut.
    lines[12] = "<FamilyName><![CDATA[xyz]]></FamilyName>"; // unindented: 40 of the 43 markup characters
    loaded = load(joined(lines));
    EXPECT_EQ(loaded->book->strFamilyName, "");
}

TEST(AlbumGlobals, IgnoreLinesPastTheEndOfTheFile) {
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLinesText(*book, threePages().bytes()));
    ParseAlbumGlobals(*book);
    ASSERT_EQ(book->strTitle, "Our Summer");
    ASSERT_TRUE(ReadStorybookLinesText(*book, "line\nline\n"));
    ParseAlbumGlobals(*book);
    EXPECT_EQ(book->strTitle, "");
    EXPECT_EQ(book->strFamilyName, "");
}
