#pragma once
// The list the browser walks, built from a scan: every snapshot, or only those no page of the album
// uses; its lots; the date sort; and the texts of the lot list box.

#include "SnapshotScan.h"

#include <string>
#include <vector>

struct Storybook;

struct LoadedSnapshots {
    std::vector<SnapshotRow> strLoadedSnapshotArray;
    std::vector<std::string> strLoadedLotArray;
};

enum class SnapshotSelection { All, UnusedOnly };

// With UnusedOnly, a row stays when no page's Snapshot content equals its name exactly, and its lot
// is taken from the name as stored (not lower-cased). Linear in pages plus snapshots.
LoadedSnapshots BuildLoadedSnapshotList(const SnapshotScan& scan, SnapshotSelection selection,
                                        const Storybook& album);

// Oldest first by date text. Rows of equal dates keep their order; any input sorts in n log n.
void SortSnapshotsByDate(std::vector<SnapshotRow>& rows);

inline constexpr const char* kAllLotsItem = "All Lots";
inline constexpr const char* kUnlinkedItem = "Unlinked Snapshots";
inline constexpr const char* kLotItemPrefix = "Sim Lot ID: ";

// The lot list box: "All Lots", "Unlinked Snapshots", then one item per lot that is not unlinked.
std::vector<std::string> lotListItems(const std::vector<std::string>& lots);
