#include "SnapshotLists.h"

#include "document/Storybook.h"
#include "document/TextUtil.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_set>

namespace {

// Marks the rows some page uses; the scan is in name order, so each page costs one binary search.
std::vector<char> unusedRows(const std::vector<SnapshotRow>& rows, const Storybook& album) {
    std::vector<char> unused(rows.size(), 1);
    const auto byName = [](const SnapshotRow& row, std::string_view name) { return row.name < name; };
    for (int page = 0; page < album.varPageCount; ++page) {
        const std::string_view name = album.content(page, album::Snapshot);
        const auto found = std::lower_bound(rows.begin(), rows.end(), name, byName);
        if (found != rows.end() && found->name == name)
            unused[static_cast<std::size_t>(found - rows.begin())] = 0;
    }
    return unused;
}

// The lots of the unused rows as stored, in order of first appearance. Rows of one lot mostly follow
// each other in name order, so only a change of lot needs the set.
std::vector<std::string> lotsOf(const std::vector<SnapshotRow>& rows, const std::vector<char>& unused) {
    std::vector<std::string> lots;
    std::unordered_set<std::string_view> seen;
    std::string_view last;
    bool any = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!unused[i])
            continue;
        const std::string_view lot = lotIdentifierOf(rows[i].name);
        if (any && lot == last)
            continue;
        any = true;
        last = lot;
        if (seen.insert(lot).second)
            lots.emplace_back(lot);
    }
    return lots;
}

} // namespace

const std::vector<int>& datedOrder(SnapshotScan& scan) {
    const std::vector<SnapshotRow>& rows = scan.strSnapshotArray;
    std::vector<int>& order = scan.dateOrder;
    if (order.size() == rows.size())
        return order;
    order.resize(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) {
        return rows[static_cast<std::size_t>(a)].date < rows[static_cast<std::size_t>(b)].date;
    });
    return order;
}

LoadedSnapshots BuildLoadedSnapshotList(SnapshotScan& scan, SnapshotSelection selection, SnapshotOrder order,
                                        const Storybook& album) {
    const std::vector<SnapshotRow>& rows = scan.strSnapshotArray;
    LoadedSnapshots loaded;
    std::vector<char> listed;
    if (selection == SnapshotSelection::All) {
        listed.assign(rows.size(), 1);
        loaded.strLoadedLotArray = scan.strLotIDArray;
    } else {
        listed = unusedRows(rows, album);
        loaded.strLoadedLotArray = lotsOf(rows, listed);
    }
    std::vector<int>& positions = loaded.strLoadedSnapshotArray;
    positions.reserve(rows.size());
    const auto take = [&](int position) {
        if (listed[static_cast<std::size_t>(position)])
            positions.push_back(position);
    };
    if (order == SnapshotOrder::ByDate) {
        for (const int position : datedOrder(scan))
            take(position);
    } else {
        for (int position = 0; position < static_cast<int>(rows.size()); ++position)
            take(position);
    }
    return loaded;
}

void dropListedSnapshot(LoadedSnapshots& loaded, SnapshotScan& scan, int row) {
    std::vector<int>& listed = loaded.strLoadedSnapshotArray;
    std::vector<SnapshotRow>& rows = scan.strSnapshotArray;
    const int position = listed[static_cast<std::size_t>(row - 1)];
    listed.erase(listed.begin() + (row - 1));
    const auto renumber = [position](int& later) {
        if (later > position)
            --later;
    };
    std::for_each(listed.begin(), listed.end(), renumber);
    if (scan.dateOrder.size() == rows.size()) {
        std::erase(scan.dateOrder, position);
        std::for_each(scan.dateOrder.begin(), scan.dateOrder.end(), renumber);
    } else {
        scan.dateOrder.clear();
    }

    const std::string lot = asciiLowerCased(lotIdentifierOf(rows[static_cast<std::size_t>(position)].name));
    rows.erase(rows.begin() + position);
    const bool lotLeft = std::any_of(rows.begin(), rows.end(), [&](const SnapshotRow& kept) {
        return asciiLowerCased(lotIdentifierOf(kept.name)) == lot;
    });
    if (!lotLeft)
        std::erase(scan.strLotIDArray, lot);
}

std::vector<std::string> lotListItems(const std::vector<std::string>& lots) {
    std::vector<std::string> items = {kAllLotsItem, kUnlinkedItem};
    for (const std::string& lot : lots)
        if (!isUnlinkedLot(lot))
            items.push_back(kLotItemPrefix + lot);
    return items;
}
