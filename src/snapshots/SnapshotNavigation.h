#pragma once
// Moving through the loaded list under the filter chosen in the lot list box, and the counter text.
// Rows are numbered from 1, as the counter shows them.

#include "SnapshotScan.h"

#include <string>
#include <string_view>
#include <vector>

class SnapshotFilter {
public:
    enum class Kind { AllLots, Unlinked, Lot };

    // The filter of lot list item index with text itemText: item 0 every row, item 1 the unlinked
    // rows, later items the rows whose names carry the item's last eight characters as lot code.
    static SnapshotFilter forItem(int index, std::string_view itemText);

    Kind kind() const { return m_kind; }
    bool matches(std::string_view name) const;

private:
    Kind m_kind = Kind::AllLots;
    std::string m_lot;
};

// The loaded list as navigation reads it: row r (from 1) is rows[listed[r - 1]].
struct ListedRows {
    const std::vector<SnapshotRow>& rows;
    const std::vector<int>& listed;

    int count() const { return static_cast<int>(listed.size()); }
    std::string_view name(int row) const {
        return rows[static_cast<std::size_t>(listed[static_cast<std::size_t>(row - 1)])].name;
    }
};

enum class NavigationOutcome {
    Shown,   // the row `current` is to be shown
    NoMatch, // no row of the list belongs to the filter: nothing is to be shown
    Unmoved, // nothing to do beyond the counter (empty word, empty list, or no current row)
};

struct Navigation {
    int current = 0;
    NavigationOutcome outcome = NavigationOutcome::Unmoved;
};

// Direction words: "start", "back", "forward", "home", "end", "pageup", "pagedown" (others act as
// "start"). Under "All Lots" the row moves and is clamped to the list. Under a filter, "back" and
// "forward" find the nearest row of the filter in their direction, turning round at either end of
// the list; every other word keeps the current row when it belongs to the filter, else searches
// forward from it. The search looks at each row at most twice, so it always ends.
Navigation NavigateSnapshots(const ListedRows& rows, const SnapshotFilter& filter, int current,
                             std::string_view word);

// "zero" for an empty list, else "3 of 17".
std::string counterText(int current, int count);
