// Moves through the loaded list under each filter, as tables.

#include "snapshots/SnapshotNavigation.h"

#include <gtest/gtest.h>

namespace {

// count rows named for lot "otherlot", with the given rows (1-based) of lot "lotxyz12" or unlinked.
std::vector<SnapshotRow> rowsWith(int count, std::initializer_list<int> marked, const std::string& lot) {
    std::vector<SnapshotRow> rows;
    for (int r = 1; r <= count; ++r)
        rows.push_back({"snapshot_otherlot_" + std::to_string(r) + ".jpg", "2005/03/07 14:05:09"});
    for (int r : marked)
        rows[static_cast<std::size_t>(r - 1)].name = "snapshot_" + lot + "_" + std::to_string(r) + ".jpg";
    return rows;
}

struct Move {
    int from;
    const char* word;
    int to;
};

void expectMoves(const std::vector<SnapshotRow>& rows, const SnapshotFilter& filter,
                 std::initializer_list<Move> moves) {
    for (const Move& move : moves) {
        const Navigation result = NavigateSnapshots(rows, filter, move.from, move.word);
        EXPECT_EQ(result.current, move.to) << move.word << " from " << move.from;
        EXPECT_EQ(result.outcome, NavigationOutcome::Shown) << move.word << " from " << move.from;
    }
}

} // namespace

TEST(Navigation, AllLotsMovesAndClamps) {
    const auto rows = rowsWith(25, {}, "");
    expectMoves(rows, SnapshotFilter::forItem(0, "All Lots"),
                {{20, "pagedown", 25},
                 {25, "pageup", 15},
                 {8, "pageup", 1},
                 {25, "forward", 25},
                 {1, "back", 1},
                 {5, "home", 1},
                 {5, "end", 25},
                 {5, "start", 5},
                 {5, "other", 5},
                 {0, "forward", 1},
                 {40, "back", 25}});
    EXPECT_EQ(counterText(25, 25), "25 of 25");
    EXPECT_EQ(counterText(1, 0), "zero");
}

TEST(Navigation, ALotFindsItsNearestRowAndTurnsRoundAtTheEnds) {
    const auto rows = rowsWith(20, {3, 9, 14}, "lotxyz12");
    const SnapshotFilter lot = SnapshotFilter::forItem(2, "Sim Lot ID: lotxyz12");
    expectMoves(rows, lot,
                {{20, "start", 14}, // choosing the lot: the search from the last row turns round
                 {14, "back", 9},
                 {9, "back", 3},
                 {3, "back", 3},
                 {14, "forward", 14},
                 {3, "forward", 9},
                 {10, "start", 14},
                 {10, "home", 14},
                 {1, "back", 3},
                 {20, "forward", 14}});
}

TEST(Navigation, UnlinkedRowsAreFoundByTheirZeroes) {
    const auto rows = rowsWith(10, {2, 7}, "00000abc");
    expectMoves(rows, SnapshotFilter::forItem(1, "Unlinked Snapshots"), {{10, "start", 7}, {7, "back", 2}});
}

TEST(Navigation, AFilterWithoutRowsEndsAndKeepsTheCurrentRow) {
    const auto rows = rowsWith(30, {}, "");
    const SnapshotFilter filters[] = {
        SnapshotFilter::forItem(1, "Unlinked Snapshots"), SnapshotFilter::forItem(2, "Sim Lot ID: lotxyz12"),
        SnapshotFilter::forItem(2, "Sim Lot ID: jpg"), // an identifier shorter than 8 characters
    };
    for (const SnapshotFilter& filter : filters) {
        for (const char* word : {"start", "forward", "back", "end"}) {
            const Navigation result = NavigateSnapshots(rows, filter, 12, word);
            EXPECT_EQ(result.outcome, NavigationOutcome::NoMatch) << word;
            EXPECT_EQ(result.current, 12) << word;
        }
    }
    EXPECT_FALSE(SnapshotFilter::forItem(2, "Sim Lot ID: jpg").matches("snapshot.jpg"));
}

TEST(Navigation, EmptyListsAndWordsOnlyTouchTheCounter) {
    const auto rows = rowsWith(5, {}, "");
    EXPECT_EQ(NavigateSnapshots(rows, SnapshotFilter::forItem(0, "All Lots"), 3, "").outcome,
              NavigationOutcome::Unmoved);
    EXPECT_EQ(NavigateSnapshots({}, SnapshotFilter::forItem(0, "All Lots"), 1, "forward").outcome,
              NavigationOutcome::Unmoved);
    EXPECT_EQ(NavigateSnapshots(rows, SnapshotFilter::forItem(1, "Unlinked Snapshots"), 9, "back").outcome,
              NavigationOutcome::Unmoved)
        << "a current row outside the list is never read";
}

TEST(Navigation, FortyThousandRowsCountPastSixteenBits) {
    const auto rows = rowsWith(40000, {39999}, "lotxyz12");
    const Navigation end = NavigateSnapshots(rows, SnapshotFilter::forItem(0, "All Lots"), 1, "end");
    EXPECT_EQ(end.current, 40000);
    EXPECT_EQ(counterText(end.current, 40000), "40000 of 40000");
    EXPECT_EQ(NavigateSnapshots(rows, SnapshotFilter::forItem(2, "Sim Lot ID: lotxyz12"), 1, "start").current,
              39999);
}
