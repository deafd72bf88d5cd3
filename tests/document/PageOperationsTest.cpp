#include "document/PageOperations.h"

#include <gtest/gtest.h>

namespace {

class Pages : public ::testing::Test {
protected:
    // Pages named by their snapshot, laid out as the parser leaves them.
    void makePages(std::initializer_list<const char*> names) {
        book->varPageCount = 0;
        for (const char* name : names) {
            auto& entry = book->varEntryArray[book->varPageCount++];
            for (int f = 0; f < album::kFieldCount; ++f) {
                entry[f][album::OpeningPart] = "        " + std::string(album::kOpeningTags[f]);
                entry[f][album::ClosingPart] = album::kClosingTags[f];
                entry[f][album::Content] = "x";
            }
            entry[album::Snapshot][album::Content] = name;
        }
    }
    std::string order() const {
        std::string out;
        for (int e = 0; e < book->varPageCount; ++e)
            out += std::string(book->content(e, album::Snapshot)) + (e + 1 < book->varPageCount ? "," : "");
        return out;
    }

    std::unique_ptr<Storybook> book = makeStorybook();
    NewPage newPage{"snapshot_4c1e9b07_00000009.jpg", "", "12/9/2026 14:05:09"};
};

} // namespace

TEST_F(Pages, DeleteKeepsTheCurrentIndexOrStepsBackFromTheEnd) {
    makePages({"A", "B", "C", "D", "E"});
    DeleteResult deleted = DeleteCurrentPage(*book, 2);
    EXPECT_EQ(order(), "A,B,D,E");
    EXPECT_TRUE(deleted.deleted);
    EXPECT_EQ(deleted.currentPage, 2);

    deleted = DeleteCurrentPage(*book, 3);
    EXPECT_EQ(order(), "A,B,D");
    EXPECT_EQ(deleted.currentPage, 2);
}

TEST_F(Pages, TheOnlyPageCannotBeDeleted) {
    makePages({"A"});
    EXPECT_FALSE(DeleteCurrentPage(*book, 0).deleted);
    EXPECT_EQ(order(), "A");
}

TEST_F(Pages, ReverseKeepsTheCurrentIndex) {
    makePages({"A", "B", "C"});
    ReversePageOrder(*book);
    EXPECT_EQ(order(), "C,B,A");
    makePages({"A"});
    ReversePageOrder(*book);
    EXPECT_EQ(order(), "A");
}

TEST_F(Pages, NewPageGoesBeforeTheCurrentOne) {
    makePages({"A", "B"});
    book->varEntryArray[0][album::Title][album::OpeningPart] = "\t<Title>"; // the neighbour's own tags
    ASSERT_TRUE(FillNewPage(*book, 0, newPage));
    EXPECT_EQ(order(), "snapshot_4c1e9b07_00000009.jpg,A,B");
    const auto& page = book->varEntryArray[0];
    EXPECT_EQ(page[album::Title][album::Content], "<![CDATA[]]>");
    EXPECT_EQ(page[album::Title][album::OpeningPart], "\t<Title>");
    EXPECT_EQ(page[album::ThumbnailFilename][album::Content], "thumbnail_4c1e9b07_00000009.jpg");
    EXPECT_EQ(page[album::Text][album::Content], "<![CDATA[]]>");
    EXPECT_EQ(page[album::TextResourceId][album::Content], "0x00000001");
    EXPECT_EQ(page[album::TimeStamp][album::Content], "12/9/2026 14:05:09");

    newPage.snapshot = "holiday.jpg";
    ASSERT_TRUE(FillNewPage(*book, 2, newPage));
    EXPECT_EQ(book->content(2, album::ThumbnailFilename), "holiday.jpg");
    EXPECT_EQ(order(), "snapshot_4c1e9b07_00000009.jpg,A,holiday.jpg,B");
}

TEST_F(Pages, NewPageInAnEmptyAlbumGetsTheLayoutsTags) {
    ASSERT_TRUE(FillNewPage(*book, 0, newPage));
    EXPECT_EQ(book->varPageCount, 1);
    for (int f = 0; f < album::kFieldCount; ++f) {
        EXPECT_EQ(book->varEntryArray[0][f][album::OpeningPart],
                  "        " + std::string(album::kOpeningTags[f]));
        EXPECT_EQ(book->varEntryArray[0][f][album::ClosingPart], album::kClosingTags[f]);
    }
}

TEST_F(Pages, AFullTableRefusesANewSlot) {
    makePages({"A"});
    book->varPageCount = album::kEntrySlots;
    EXPECT_FALSE(OpenPageSlot(*book, 3));
    EXPECT_FALSE(FillNewPage(*book, 3, newPage));
    EXPECT_EQ(book->varPageCount, album::kEntrySlots);
    EXPECT_EQ(book->content(0, album::Snapshot), "A");
}
