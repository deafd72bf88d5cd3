// The model refers to the loaded file's bytes instead of copying them. What it hands out must stay
// readable across every later load, failed or not (run under AddressSanitizer, a dangling text fails).

#include "AlbumText.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <gtest/gtest.h>

namespace {

AlbumText albumOf(int pages) {
    AlbumText album;
    for (int p = 0; p < pages; ++p)
        album.pages.push_back({"Page " + std::to_string(p),
                               "snapshot_4c1e9b07_0000000" + std::to_string(p) + ".jpg",
                               p == 1 ? "one\ntwo" : "story " + std::to_string(p)});
    return album;
}

// Check, read and parse, as the open command runs them; the bytes are gone once it returns.
LineScan load(Storybook& book, const AlbumText& album) {
    LineScan scan;
    CheckAndReadStorybookText(book, album.bytes(), scan);
    if (scan.checked && scan.read) {
        ParseAlbumGlobals(book);
        EXPECT_EQ(ParseStorybookRecords(book, scan).outcome, ParseOutcome::Complete);
    }
    return scan;
}

TEST(LoadedBytes, ALoadCopiesNoCellAndAnEditCopiesOnlyItsCell) {
    auto book = makeStorybook();
    load(*book, albumOf(3));
    for (int line = 0; line <= book->intLogFileLastLine; ++line)
        EXPECT_FALSE(book->strLogFileArray[line].holdsOwnText()) << "line " << line;
    // A story of several lines is joined once into the model, which its cells then refer to.
    for (int e = 0; e < book->varPageCount; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f)
            EXPECT_FALSE(book->varEntryArray[e][f][album::Content].holdsOwnText()) << e << "/" << f;
    }
    EXPECT_EQ(book->content(1, album::Text), "<![CDATA[one\r\ntwo]]>");
    book->varEntryArray[0][album::Title][album::Content] = "<![CDATA[Changed]]>";
    EXPECT_TRUE(book->varEntryArray[0][album::Title][album::Content].holdsOwnText());
    EXPECT_FALSE(book->varEntryArray[0][album::Snapshot][album::Content].holdsOwnText());
    EXPECT_EQ(book->content(0, album::Title), "<![CDATA[Changed]]>");
}

TEST(LoadedBytes, TextsOfAnEarlierLoadStayReadableAfterTheNextOne) {
    auto book = makeStorybook();
    load(*book, albumOf(4));
    const std::string lastLine(book->strLogFileArray[book->intLogFileLastLine]);
    const std::string firstSnapshot(book->content(0, album::Snapshot));

    // The page being moved and lines written from the cells outlive the bytes they came from.
    book->varPageBuffer = book->varEntryArray[0];
    ASSERT_TRUE(RebuildLogFileArray(*book));
    int entryLine = book->intLogFileLastLine;
    while (book->strLogFileArray[entryLine].text().find("00000003.jpg</Snapshot>") == std::string_view::npos)
        --entryLine;
    const int footerLine = book->intLogFileLastLine;
    ASSERT_FALSE(book->strLogFileArray[entryLine].holdsOwnText());
    ASSERT_FALSE(book->strLogFileArray[footerLine].holdsOwnText());
    const std::string entryText(book->strLogFileArray[entryLine]);
    EXPECT_EQ(book->strLogFileArray[footerLine], lastLine);

    // A file failing the check is read but not parsed: the cells keep the earlier album's texts.
    AlbumText broken = albumOf(1);
    broken.pages[0].title = "<Entry>";
    EXPECT_FALSE(load(*book, broken).checked);
    EXPECT_EQ(book->content(0, album::Snapshot), firstSnapshot);

    load(*book, albumOf(1));
    ASSERT_LT(book->intLogFileLastLine + 1, entryLine) << "lines past a shorter file keep what they held";
    EXPECT_EQ(book->strLogFileArray[entryLine], entryText);
    EXPECT_EQ(book->strLogFileArray[footerLine], lastLine);
    EXPECT_EQ(book->varPageBuffer[album::Snapshot][album::Content], firstSnapshot);
    EXPECT_EQ(book->content(0, album::Snapshot), "snapshot_4c1e9b07_00000000.jpg");

    // A wider file and then the same bytes over and over: the buffers are let go, grown and reused.
    AlbumText wide = albumOf(1);
    wide.pages[0].story = std::string(20000, 'w');
    for (const AlbumText& next : {wide, albumOf(4), albumOf(4), albumOf(4)})
        load(*book, next);
    EXPECT_EQ(book->content(3, album::Text), "<![CDATA[story 3]]>");
    EXPECT_EQ(book->varPageBuffer[album::Snapshot][album::Content], firstSnapshot);
}

TEST(LoadedBytes, LinesPastAShorterFileOutliveTheBytesTheyWereReadFrom) {
    auto book = makeStorybook();
    load(*book, albumOf(2));
    // Read but never parsed: nothing but the line image refers to these bytes.
    AlbumText broken = albumOf(4);
    broken.pages[3].title = "<Entry>";
    ASSERT_FALSE(load(*book, broken).checked);
    const int probe = book->intLogFileLastLine - 1;
    const std::string probeText(book->strLogFileArray[probe]);
    // Wider than every buffer before it, so the buffers are let go or grown, not reused as they are.
    AlbumText wide = albumOf(1);
    wide.pages[0].story = std::string(20000, 'w');
    for (const AlbumText& next : {albumOf(1), wide, wide, albumOf(1)}) {
        load(*book, next);
        ASSERT_LT(book->intLogFileLastLine + 1, probe);
        EXPECT_EQ(book->strLogFileArray[probe], probeText);
    }
}

TEST(LoadedBytes, LinesWrittenFromTheCellsOutliveAParseOfThemselves) {
    auto book = makeStorybook();
    load(*book, albumOf(4));
    AlbumText broken = albumOf(1);
    broken.pages[0].title = "<Entry>";
    ASSERT_FALSE(load(*book, broken).checked);
    ASSERT_TRUE(RebuildLogFileArray(*book)); // from the cells of the first album
    const int probe = book->intLogFileLastLine - 1;
    const std::string probeText(book->strLogFileArray[probe]);
    ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    AlbumText wide = albumOf(1);
    wide.pages[0].story = std::string(20000, 'w');
    for (const AlbumText& next : {wide, albumOf(1)}) {
        load(*book, next);
        EXPECT_EQ(book->strLogFileArray[probe], probeText);
    }
}

} // namespace
