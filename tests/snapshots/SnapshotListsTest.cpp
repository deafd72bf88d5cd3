// The loaded list against an album's pages, the lot list box's items and the date sort.

#include "snapshots/SnapshotLists.h"
#include "document/Storybook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(LoadedList, UnusedOnlyDropsSnapshotsOnPagesAndTakesLotsFromNamesAsStored) {
    SnapshotScan scan;
    for (const char* name : {"snapshot_aaaaaaaa_1.jpg", "snapshot_bbbbbbbb_1.jpg", "Snapshot_LOTXYZ12_x.JPG",
                             "snapshot_aaaaaaaa_2.jpg"})
        scan.strSnapshotArray.push_back({name, "2005/03/07 14:05:09"});
    scan.strLotIDArray = {"aaaaaaaa", "bbbbbbbb", "lotxyz12"};
    auto album = makeStorybook();
    album->varPageCount = 2;
    album->varEntryArray[0][album::Snapshot][album::Content] = "snapshot_bbbbbbbb_1.jpg";
    album->varEntryArray[1][album::Snapshot][album::Content] = "SNAPSHOT_aaaaaaaa_2.jpg"; // not the same name
    album->varEntryArray[2][album::Snapshot][album::Content] =
        "snapshot_aaaaaaaa_1.jpg"; // past the last page

    EXPECT_EQ(BuildLoadedSnapshotList(scan, SnapshotSelection::All, *album).strLoadedLotArray,
              scan.strLotIDArray);
    const LoadedSnapshots unused = BuildLoadedSnapshotList(scan, SnapshotSelection::UnusedOnly, *album);
    EXPECT_EQ(unused.strLoadedSnapshotArray.size(), 3u);
    EXPECT_EQ(unused.strLoadedLotArray, (std::vector<std::string>{"aaaaaaaa", "LOTXYZ12"}));
    EXPECT_EQ(lotListItems({"00000q1z", "lotxyz12", "jpg"}),
              (std::vector<std::string>{"All Lots", "Unlinked Snapshots", "Sim Lot ID: lotxyz12",
                                        "Sim Lot ID: jpg"}));
}

TEST(DateSort, OrdersLargeListsOfEqualOrRandomDates) {
    // A folder copied in one go: every date the same; their order is kept.
    std::vector<SnapshotRow> equal(200000, SnapshotRow{"", "2005/03/07 14:05:09"});
    for (std::size_t i = 0; i < equal.size(); ++i)
        equal[i].name = std::to_string(i);
    equal.push_back({"oldest", "2004/12/31 23:59:59"});
    SortSnapshotsByDate(equal);
    EXPECT_EQ(equal[0].name, "oldest");
    EXPECT_EQ(equal[1].name, "0");
    EXPECT_EQ(equal.back().name, "199999");

    std::mt19937 random(7);
    std::vector<SnapshotRow> mixed;
    for (int i = 0; i < 50000; ++i)
        mixed.push_back({std::to_string(i), dateText(1000000000 + static_cast<long>(random() % 500000000))});
    SortSnapshotsByDate(mixed);
    EXPECT_TRUE(std::is_sorted(mixed.begin(), mixed.end(), [](auto& a, auto& b) { return a.date < b.date; }));
}
