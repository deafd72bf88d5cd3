#pragma once
// The snapshots of an album's folder: which files count as snapshots, their lot identifiers and date
// texts, and the scan that lists them. Free of widgets, so the browser only shows what it finds and
// the lists can be tested and measured on their own. Counts are plain ints and every list grows as
// the walk finds files, so a folder of any size fits.

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SnapshotRow {
    std::string name; // the file name exactly as on disk
    std::string date; // last modified, local time, "yyyy/mm/dd HH:mm:ss"
};

// One scan of a folder, kept between showings of the browser.
struct SnapshotScan {
    std::vector<SnapshotRow> strSnapshotArray; // in name order, names compared byte by byte
    std::vector<std::string> strLotIDArray;    // distinct lot identifiers, in order of first appearance
    // Positions in strSnapshotArray oldest first, sorted once when the browser first asks for them
    // (see datedOrder) and kept with the scan; empty until then.
    std::vector<int> dateOrder;
};

// A snapshot's name, lower-cased, begins with "snapshot" and ends in ".jpg".
bool isSnapshotFileName(std::string_view name);
// Characters 10 to 17 of a name (fewer when the name is shorter): the lot code of the game's names.
std::string_view lotIdentifierOf(std::string_view name);
// A lot identifier beginning "00000" belongs to no lot.
bool isUnlinkedLot(std::string_view lot);
// "yyyy/mm/dd HH:mm:ss" in local time; two such texts compare as their times do.
std::string dateText(std::time_t time);

// The number of files directly in a folder, of any kind, subfolders not counted; nothing when the
// folder cannot be listed. No file is opened.
std::optional<int> countFolderFiles(const std::string& folder);

// Told after every accepted file but the first. shownCount is the count to show in the progress box,
// or 0 when the box keeps its text this time (it shows 2 to 50, then every 26th). Returning false
// stops the scan.
using ScanProgress = std::function<bool(int shownCount)>;

enum class ScanOutcome { Complete, Stopped, FolderUnreadable };

// Lists the snapshots of folder into scan, replacing what it held. Rows come in name order, so the
// list does not depend on how the file system happens to store its entries.
ScanOutcome ScanSnapshotFolder(const std::string& folder, SnapshotScan& scan,
                               const ScanProgress& progress = {});
