// Moves through the loaded list under each filter, as tables.

#include "snapshots/SnapshotNavigation.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// count rows of another lot, with the given rows (1-based) named for lot.
std::vector<SnapshotRow> rowsWith(int count, std::initializer_list<int> marked, const std::string& lot) {
    std::vector<SnapshotRow> rows;
    for (int r = 1; r <= count; ++r)
        rows.push_back({"snapshot_otherlot_" + std::to_string(r) + ".jpg", ""});
    for (int r : marked)
        rows[static_cast<std::size_t>(r - 1)].name = "snapshot_" + lot + "_" + std::to_string(r) + ".jpg";
    return rows;
}

// Every row listed, in its own order.
std::vector<int> everyRow(const std::vector<SnapshotRow>& rows) {
    std::vector<int> listed(rows.size());
    std::iota(listed.begin(), listed.end(), 0);
    return listed;
}

struct Move {
    int from;
    const char* word;
    int to;
};

void expectMoves(const std::vector<SnapshotRow>& rows, int item, const std::string& text,
                 std::initializer_list<Move> moves) {
    const SnapshotFilter filter = SnapshotFilter::forItem(item, text);
    const std::vector<int> listed = everyRow(rows);
    for (const Move& move : moves) {
        const Navigation result = NavigateSnapshots({rows, listed}, filter, move.from, move.word);
        EXPECT_EQ(result.current, move.to) << text << ": " << move.word << " from " << move.from;
        EXPECT_EQ(result.outcome, NavigationOutcome::Shown)
            << text << ": " << move.word << " from " << move.from;
    }
}

} // namespace

TEST(Navigation, AllLotsMovesAndClamps) {
    expectMoves(rowsWith(25, {}, ""), 0, "All Lots",
                {{20, "pagedown", 25},
                 {25, "pageup", 15},
                 {8, "pageup", 1},
                 {25, "forward", 25},
                 {1, "back", 1},
                 {5, "home", 1},
                 {5, "end", 25},
                 {5, "start", 5},
                 {0, "forward", 1},
                 {40, "back", 25}});
    expectMoves(rowsWith(40000, {}, ""), 0, "All Lots", {{1, "end", 40000}});
    EXPECT_EQ(counterText(40000, 40000), "40000 of 40000");
    EXPECT_EQ(counterText(1, 0), "zero");
}

TEST(Navigation, AFilterFindsItsNearestRowAndTurnsRoundAtTheEnds) {
    expectMoves(rowsWith(20, {3, 9, 14}, "lotxyz12"), 2, "Sim Lot ID: lotxyz12",
                {{20, "start", 14},
                 {14, "back", 9},
                 {9, "back", 3},
                 {3, "back", 3},
                 {14, "forward", 14},
                 {3, "forward", 9},
                 {10, "home", 14},
                 {1, "back", 3},
                 {20, "forward", 14}});
    expectMoves(rowsWith(10, {2, 7}, "00000abc"), 1, "Unlinked Snapshots",
                {{10, "start", 7}, {7, "back", 2}});
}

TEST(Navigation, AFilterWithoutRowsEndsAndKeepsTheCurrentRow) {
    const auto scanned = rowsWith(30, {}, "");
    const std::vector<int> listed = everyRow(scanned);
    const ListedRows rows{scanned, listed};
    // The last: an identifier shorter than 8 characters matches no row.
    for (const char* item : {"Unlinked Snapshots", "Sim Lot ID: lotxyz12", "Sim Lot ID: jpg"}) {
        const SnapshotFilter filter =
            SnapshotFilter::forItem(std::string(item).starts_with("Sim") ? 2 : 1, item);
        for (const char* word : {"start", "forward", "back", "end"}) {
            const Navigation result = NavigateSnapshots(rows, filter, 12, word);
            EXPECT_EQ(result.outcome, NavigationOutcome::NoMatch) << item << ": " << word;
            EXPECT_EQ(result.current, 12) << item << ": " << word;
        }
    }
    const SnapshotFilter unlinked = SnapshotFilter::forItem(1, "Unlinked Snapshots");
    EXPECT_EQ(NavigateSnapshots(rows, unlinked, 31, "back").outcome, NavigationOutcome::Unmoved)
        << "a current row outside the list is never read";
    EXPECT_EQ(NavigateSnapshots({scanned, {}}, unlinked, 1, "forward").outcome, NavigationOutcome::Unmoved);
}
