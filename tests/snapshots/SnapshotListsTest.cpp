// The loaded list against an album's pages, its lots, the lot list box's items and the date sort.

#include "snapshots/SnapshotLists.h"
#include "document/Storybook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

SnapshotScan scanOf(const std::vector<std::string>& names) {
    SnapshotScan scan;
    for (const std::string& name : names) {
        scan.strSnapshotArray.push_back({name, "2005/03/07 14:05:09"});
        std::string lot(lotIdentifierOf(asciiLowerCased(name)));
        if (std::find(scan.strLotIDArray.begin(), scan.strLotIDArray.end(), lot) == scan.strLotIDArray.end())
            scan.strLotIDArray.push_back(lot);
    }
    return scan;
}

std::vector<std::string> namesOf(const LoadedSnapshots& loaded) {
    std::vector<std::string> names;
    for (const SnapshotRow& row : loaded.strLoadedSnapshotArray)
        names.push_back(row.name);
    return names;
}

} // namespace

TEST(LoadedList, UnusedOnlyDropsSnapshotsOnPagesAndLotsWithNothingLeft) {
    const SnapshotScan scan =
        scanOf({"snapshot_aaaaaaaa_1.jpg", "snapshot_bbbbbbbb_1.jpg", "Snapshot_LOTXYZ12_x.JPG",
                "snapshot_aaaaaaaa_2.jpg", "snapshot_00000000_1.jpg"});
    auto album = makeStorybook();
    album->varPageCount = 2;
    album->varEntryArray[0][album::Snapshot][album::Content] = "snapshot_bbbbbbbb_1.jpg";
    album->varEntryArray[1][album::Snapshot][album::Content] = "snapshot_aaaaaaaa_2.jpg";
    // Beyond the last page: a leftover that is no page.
    album->varEntryArray[2][album::Snapshot][album::Content] = "snapshot_aaaaaaaa_1.jpg";

    const LoadedSnapshots all = BuildLoadedSnapshotList(scan, SnapshotSelection::All, *album);
    EXPECT_EQ(all.strLoadedSnapshotArray.size(), 5u);
    EXPECT_EQ(all.strLoadedLotArray,
              (std::vector<std::string>{"aaaaaaaa", "bbbbbbbb", "lotxyz12", "00000000"}));

    const LoadedSnapshots unused = BuildLoadedSnapshotList(scan, SnapshotSelection::UnusedOnly, *album);
    EXPECT_EQ(namesOf(unused), (std::vector<std::string>{"snapshot_aaaaaaaa_1.jpg", "Snapshot_LOTXYZ12_x.JPG",
                                                         "snapshot_00000000_1.jpg"}));
    EXPECT_EQ(unused.strLoadedLotArray, (std::vector<std::string>{"aaaaaaaa", "LOTXYZ12", "00000000"}))
        << "in this mode the lot is taken from the name as stored";

    album->varEntryArray[0][album::Snapshot][album::Content] = "SNAPSHOT_aaaaaaaa_1.jpg";
    EXPECT_EQ(
        BuildLoadedSnapshotList(scan, SnapshotSelection::UnusedOnly, *album).strLoadedSnapshotArray.size(),
        4u)
        << "names are compared exactly";
}

TEST(LotList, TwoFixedItemsThenEveryLinkedLot) {
    EXPECT_EQ(lotListItems({}), (std::vector<std::string>{"All Lots", "Unlinked Snapshots"}));
    EXPECT_EQ(lotListItems({"00000q1z", "lotxyz12", "00000000", "jpg"}),
              (std::vector<std::string>{"All Lots", "Unlinked Snapshots", "Sim Lot ID: lotxyz12",
                                        "Sim Lot ID: jpg"}));
}

TEST(DateSort, OrdersByDateTextAndKeepsEqualDatesInTheirOrder) {
    std::vector<SnapshotRow> rows = {{"c", "2005/03/07 14:05:09"},
                                     {"a", "2004/12/31 23:59:59"},
                                     {"b", "2005/03/07 14:05:09"},
                                     {"d", "2005/01/01 00:00:00"}};
    SortSnapshotsByDate(rows);
    std::string order;
    for (const SnapshotRow& row : rows)
        order += row.name;
    EXPECT_EQ(order, "adcb");
}

TEST(DateSort, LargeListsOfEqualOrRandomDatesSort) {
    // A folder copied in one go: every date the same.
    std::vector<SnapshotRow> equal(200000, SnapshotRow{"snapshot_x.jpg", "2005/03/07 14:05:09"});
    for (std::size_t i = 0; i < equal.size(); ++i)
        equal[i].name = std::to_string(i);
    SortSnapshotsByDate(equal);
    EXPECT_EQ(equal.front().name, "0");
    EXPECT_EQ(equal.back().name, "199999");

    std::mt19937 random(7);
    std::vector<SnapshotRow> mixed;
    for (int i = 0; i < 50000; ++i) {
        char date[32];
        std::snprintf(date, sizeof date, "20%02u/%02u/%02u 12:00:00", unsigned(random() % 30),
                      unsigned(random() % 12 + 1), unsigned(random() % 28 + 1));
        mixed.push_back({std::to_string(i), date});
    }
    SortSnapshotsByDate(mixed);
    EXPECT_TRUE(std::is_sorted(mixed.begin(), mixed.end(),
                               [](const auto& a, const auto& b) { return a.date < b.date; }));
}
