// The loaded list against an album's pages, its orders, a row taken out, and the lot list box's items.

#include "snapshots/SnapshotLists.h"
#include "document/Storybook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// The names of the listed rows, in the order listed.
std::vector<std::string> names(const SnapshotScan& scan, const LoadedSnapshots& loaded) {
    std::vector<std::string> listed;
    for (const int position : loaded.strLoadedSnapshotArray)
        listed.push_back(scan.strSnapshotArray[static_cast<std::size_t>(position)].name);
    return listed;
}

} // namespace

TEST(LoadedList, UnusedOnlyDropsSnapshotsOnPagesAndTakesLotsFromNamesAsStored) {
    // In name order, as a scan keeps them; the dates put the last first.
    SnapshotScan scan;
    scan.strSnapshotArray = {{"SNAPSHOT_aaaaaaaa_0.jpg", "2005/03/07 14:05:09"},
                             {"Snapshot_LOTXYZ12_x.JPG", "2005/03/07 14:05:09"},
                             {"snapshot_aaaaaaaa_1.jpg", "2005/03/07 14:05:09"},
                             {"snapshot_aaaaaaaa_2.jpg", "2005/03/07 14:05:09"},
                             {"snapshot_bbbbbbbb_1.jpg", "2005/03/07 14:05:09"},
                             {"snapshot_lotxyz12_y.jpg", "2004/01/01 00:00:00"}};
    scan.strLotIDArray = {"lotxyz12", "aaaaaaaa", "bbbbbbbb"};
    auto album = makeStorybook();
    album->varPageCount = 2;
    album->varEntryArray[0][album::Snapshot][album::Content] = "snapshot_bbbbbbbb_1.jpg";
    album->varEntryArray[1][album::Snapshot][album::Content] = "SNAPSHOT_aaaaaaaa_2.jpg"; // not the same name
    album->varEntryArray[2][album::Snapshot][album::Content] =
        "snapshot_aaaaaaaa_1.jpg"; // past the last page

    const LoadedSnapshots all =
        BuildLoadedSnapshotList(scan, SnapshotSelection::All, SnapshotOrder::ByName, *album);
    EXPECT_EQ(all.strLoadedLotArray, scan.strLotIDArray);
    EXPECT_EQ(all.strLoadedSnapshotArray, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    const LoadedSnapshots unused =
        BuildLoadedSnapshotList(scan, SnapshotSelection::UnusedOnly, SnapshotOrder::ByDate, *album);
    EXPECT_EQ(names(scan, unused),
              (std::vector<std::string>{"snapshot_lotxyz12_y.jpg", "SNAPSHOT_aaaaaaaa_0.jpg",
                                        "Snapshot_LOTXYZ12_x.JPG", "snapshot_aaaaaaaa_1.jpg",
                                        "snapshot_aaaaaaaa_2.jpg"}));
    EXPECT_EQ(unused.strLoadedLotArray, (std::vector<std::string>{"aaaaaaaa", "LOTXYZ12", "lotxyz12"}));
    EXPECT_EQ(lotListItems({"00000q1z", "lotxyz12", "jpg"}),
              (std::vector<std::string>{"All Lots", "Unlinked Snapshots", "Sim Lot ID: lotxyz12",
                                        "Sim Lot ID: jpg"}));
}

TEST(LoadedList, ARowTakenOutLeavesTheListTheScanAndItsOrdersInStep) {
    SnapshotScan scan;
    scan.strSnapshotArray = {{"snapshot_aaaaaaaa_1.jpg", "2005/03/09 00:00:00"},
                             {"snapshot_bbbbbbbb_1.jpg", "2005/03/08 00:00:00"},
                             {"snapshot_cccccccc_1.jpg", "2005/03/07 00:00:00"}};
    scan.strLotIDArray = {"aaaaaaaa", "bbbbbbbb", "cccccccc"};
    auto album = makeStorybook();
    LoadedSnapshots loaded =
        BuildLoadedSnapshotList(scan, SnapshotSelection::All, SnapshotOrder::ByDate, *album);
    dropListedSnapshot(loaded, scan, 2);
    const std::vector<std::string> left = {"snapshot_cccccccc_1.jpg", "snapshot_aaaaaaaa_1.jpg"};
    EXPECT_EQ(names(scan, loaded), left);
    EXPECT_EQ(scan.strLotIDArray, (std::vector<std::string>{"aaaaaaaa", "cccccccc"}));
    EXPECT_EQ(
        names(scan, BuildLoadedSnapshotList(scan, SnapshotSelection::All, SnapshotOrder::ByDate, *album)),
        left)
        << "the kept date order follows the scan";
}

TEST(DateOrder, OrdersLargeListsOfEqualOrRandomDates) {
    // A folder copied in one go: every date the same; their name order is kept.
    SnapshotScan equal;
    equal.strSnapshotArray.assign(200000, SnapshotRow{"", "2005/03/07 14:05:09"});
    equal.strSnapshotArray.push_back({"oldest", "2004/12/31 23:59:59"});
    const std::vector<int>& order = datedOrder(equal);
    EXPECT_EQ(order[0], 200000);
    EXPECT_EQ(order[1], 0);
    EXPECT_EQ(order.back(), 199999);

    std::mt19937 random(7);
    SnapshotScan mixed;
    for (int i = 0; i < 50000; ++i)
        mixed.strSnapshotArray.push_back(
            {"", dateText(1000000000 + static_cast<long>(random() % 500000000))});
    const std::vector<int>& dated = datedOrder(mixed);
    EXPECT_TRUE(std::is_sorted(dated.begin(), dated.end(), [&](int a, int b) {
        return mixed.strSnapshotArray[static_cast<std::size_t>(a)].date <
               mixed.strSnapshotArray[static_cast<std::size_t>(b)].date;
    }));
}
