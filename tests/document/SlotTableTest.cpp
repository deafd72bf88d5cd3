#include "AlbumText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The model's tables take memory as an album fills them, and a slot stays where it is meanwhile.
TEST(SlotTable, SlotsStayPutAndUnwrittenOnesReadAsUnset) {
    SlotTable<Cell, 1000, 16> table;
    Cell& first = table[0];
    first = "kept";
    table[999] = "last";
    EXPECT_EQ(first, "kept") << "a slot moved as the table grew";
    const auto& shown = table;
    EXPECT_FALSE(shown[500].isSet());
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const Cell& cell) { return cell.isSet(); }), 2);
}

TEST(SlotTable, AOnePageAlbumMakesOnlyTheFirstSlots) {
    AlbumText album;
    album.pages = {{"Day 1", "snapshot_4c1e9b07_00000001.jpg", "A day"}};
    auto book = makeStorybook();
    ASSERT_TRUE(ReadStorybookLinesText(*book, album.bytes()));
    ParseAlbumGlobals(*book);
    ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    EXPECT_EQ(book->content(0, album::Snapshot), "snapshot_4c1e9b07_00000001.jpg");
    EXPECT_LE(book->strLogFileArray.made(), 256u) << "the whole line image was made";
    EXPECT_LE(book->varEntryArray.made(), 16u) << "the whole entry table was made";
}

} // namespace
