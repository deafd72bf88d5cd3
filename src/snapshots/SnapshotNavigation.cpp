#include "SnapshotNavigation.h"

#include <algorithm>

SnapshotFilter SnapshotFilter::forItem(int index, std::string_view itemText) {
    SnapshotFilter filter;
    if (index == 1) {
        filter.m_kind = Kind::Unlinked;
    } else if (index >= 2) {
        filter.m_kind = Kind::Lot;
        filter.m_lot = std::string(itemText.size() > 8 ? itemText.substr(itemText.size() - 8) : itemText);
    }
    return filter;
}

bool SnapshotFilter::matches(std::string_view name) const {
    switch (m_kind) {
    case Kind::AllLots:
        return true;
    case Kind::Unlinked:
        return name.size() > 9 && name.substr(9, 5) == "00000";
    case Kind::Lot:
        return name.size() > 9 && name.substr(9, 8) == m_lot;
    }
    return false;
}

namespace {

int step(std::string_view word) {
    if (word == "forward")
        return 1;
    if (word == "back")
        return -1;
    return 0;
}

int moveAll(int current, int count, std::string_view word) {
    if (word == "forward" && current < count)
        ++current;
    else if (word == "back" && current > 1)
        --current;
    else if (word == "home")
        current = 1;
    else if (word == "end")
        current = count;
    else if (word == "pagedown")
        current = std::min(current + 10, count);
    else if (word == "pageup")
        current = std::max(current - 10, 1);
    // The row read next is always one of the list's.
    return std::clamp(current, 1, count);
}

// Walks from the current row in the step's direction and turns round at either end of the list;
// two passes over the list visit every row, so a filter without rows ends the walk.
Navigation search(const ListedRows& rows, const SnapshotFilter& filter, int current, int s) {
    const int count = rows.count();
    int c = current + s;
    if (c < 1)
        c = 1;
    if (c > count) {
        c = count;
        s = -s;
    }
    for (long looked = 0; looked <= 2L * count + 1; ++looked) {
        if (filter.matches(rows.name(c)))
            return {c, NavigationOutcome::Shown};
        if (s == 0)
            s = 1;
        c += s;
        if (c < 1) {
            s = -s;
            c = 1;
        }
        if (c > count) {
            s = -s;
            c = count;
        }
    }
    return {current, NavigationOutcome::NoMatch};
}

} // namespace

Navigation NavigateSnapshots(const ListedRows& rows, const SnapshotFilter& filter, int current,
                             std::string_view word) {
    const int count = rows.count();
    if (word.empty() || count == 0)
        return {current, NavigationOutcome::Unmoved};
    if (filter.kind() == SnapshotFilter::Kind::AllLots)
        return {moveAll(current, count, word), NavigationOutcome::Shown};
    if (current < 1 || current > count)
        return {current, NavigationOutcome::Unmoved};
    return search(rows, filter, current, step(word));
}

std::string counterText(int current, int count) {
    if (count == 0)
        return "zero";
    return std::to_string(current) + " of " + std::to_string(count);
}
