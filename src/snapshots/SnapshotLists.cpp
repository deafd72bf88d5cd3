#include "SnapshotLists.h"

#include "document/Storybook.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

LoadedSnapshots BuildLoadedSnapshotList(const SnapshotScan& scan, SnapshotSelection selection,
                                        const Storybook& album) {
    LoadedSnapshots loaded;
    if (selection == SnapshotSelection::All) {
        loaded.strLoadedSnapshotArray = scan.strSnapshotArray;
        loaded.strLoadedLotArray = scan.strLotIDArray;
        return loaded;
    }
    std::unordered_set<std::string_view> used;
    for (int page = 0; page < album.varPageCount; ++page)
        used.insert(album.content(page, album::Snapshot));
    std::unordered_set<std::string_view> lots;
    for (const SnapshotRow& row : scan.strSnapshotArray) {
        if (used.contains(row.name))
            continue;
        loaded.strLoadedSnapshotArray.push_back(row);
        const std::string_view lot = lotIdentifierOf(row.name);
        if (lots.insert(lot).second)
            loaded.strLoadedLotArray.emplace_back(lot);
    }
    return loaded;
}

void SortSnapshotsByDate(std::vector<SnapshotRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SnapshotRow& a, const SnapshotRow& b) { return a.date < b.date; });
}

std::vector<std::string> lotListItems(const std::vector<std::string>& lots) {
    std::vector<std::string> items = {kAllLotsItem, kUnlinkedItem};
    for (const std::string& lot : lots)
        if (!isUnlinkedLot(lot))
            items.push_back(kLotItemPrefix + lot);
    return items;
}
