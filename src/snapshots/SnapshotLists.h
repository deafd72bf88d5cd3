#pragma once
// The list the browser walks, built from a scan: every snapshot, or only those no page of the album
// uses, oldest first or in name order; its lots; and the texts of the lot list box. The list holds
// positions in the scan, so a folder of any size is listed without copying a name.

#include "SnapshotScan.h"

#include <string>
#include <vector>

struct Storybook;

struct LoadedSnapshots {
    std::vector<int> strLoadedSnapshotArray; // positions in the scan's strSnapshotArray, as listed
    std::vector<std::string> strLoadedLotArray;
};

enum class SnapshotSelection { All, UnusedOnly };
enum class SnapshotOrder { ByName, ByDate };

// The scan's rows oldest first by date text; rows of equal dates keep their name order. Sorted in
// n log n when first asked for, then kept in the scan for every later showing.
const std::vector<int>& datedOrder(SnapshotScan& scan);

// With UnusedOnly, a row stays when no page's Snapshot content equals its name exactly, and its lot
// is taken from the name as stored (not lower-cased). Linear in snapshots, beside a look-up per page
// in the name-ordered scan.
LoadedSnapshots BuildLoadedSnapshotList(SnapshotScan& scan, SnapshotSelection selection, SnapshotOrder order,
                                        const Storybook& album);

// Takes listed row `row` (from 1) out of the list and out of the scan, and its lot out of the scan's
// lots when no row there has it any more. The loaded lots stay: the lot list box shows them.
void dropListedSnapshot(LoadedSnapshots& loaded, SnapshotScan& scan, int row);

inline constexpr const char* kAllLotsItem = "All Lots";
inline constexpr const char* kUnlinkedItem = "Unlinked Snapshots";
inline constexpr const char* kLotItemPrefix = "Sim Lot ID: ";

// The lot list box: "All Lots", "Unlinked Snapshots", then one item per lot that is not unlinked.
std::vector<std::string> lotListItems(const std::vector<std::string>& lots);
