#include "SnapshotScan.h"

#include "document/FileSystem.h"
#include "document/TextUtil.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

namespace {

// Shows 2 to 50, then every 26th count: 76, 102, 128, ...
class ProgressThrottle {
public:
    int next(int accepted) {
        ++m_display;
        if (m_display < 51)
            return accepted;
        if (m_display == 76) {
            m_display = 50;
            return accepted;
        }
        return 0;
    }

private:
    int m_display = 1; // the first accepted file shows nothing
};

// Whole seconds, rounded down also before 1970.
std::time_t secondsOf(std::int64_t nanoseconds) {
    const std::int64_t seconds = nanoseconds / 1'000'000'000;
    return static_cast<std::time_t>(nanoseconds < 0 && seconds * 1'000'000'000 != nanoseconds ? seconds - 1
                                                                                              : seconds);
}

} // namespace

bool isSnapshotFileName(std::string_view name) {
    const std::string lowered = asciiLowerCased(name);
    return lowered.starts_with("snapshot") && lowered.size() >= 4 && lowered.ends_with(".jpg");
}

std::string_view lotIdentifierOf(std::string_view name) {
    return name.size() > 9 ? name.substr(9, 8) : std::string_view();
}

bool isUnlinkedLot(std::string_view lot) {
    return lot.starts_with("00000");
}

std::string dateText(std::time_t time) {
    std::tm local{};
    if (!files::localTime(time, local))
        return "0000/00/00 00:00:00";
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::optional<int> countFolderFiles(const std::string& folder) {
    int count = 0;
    const bool listed = files::listFolder(
        folder, [](std::string_view) { return false; },
        [&count](std::string_view, const files::Entry& entry) {
            count += entry.kind != files::Kind::Folder;
            return true;
        });
    if (!listed)
        return std::nullopt;
    return count;
}

ScanOutcome ScanSnapshotFolder(const std::string& folder, SnapshotScan& scan, const ScanProgress& progress) {
    scan.strSnapshotArray.clear();
    scan.strLotIDArray.clear();
    scan.dateOrder.clear();

    ProgressThrottle throttle;
    std::vector<SnapshotRow> rows;
    bool stopped = false;
    const bool listed =
        files::listFolder(folder, isSnapshotFileName, [&](std::string_view name, const files::Entry& entry) {
            // A file removed since it was listed, or a subfolder with a snapshot's name, is no snapshot.
            if (!isSnapshotFileName(name) || entry.kind == files::Kind::Folder ||
                entry.kind == files::Kind::Missing)
                return true;
            rows.push_back({std::string(name), dateText(secondsOf(entry.modified))});
            stopped = rows.size() > 1 && progress && !progress(throttle.next(static_cast<int>(rows.size())));
            return !stopped;
        });
    if (!listed)
        return ScanOutcome::FolderUnreadable;
    if (stopped)
        return ScanOutcome::Stopped;

    std::sort(rows.begin(), rows.end(),
              [](const SnapshotRow& a, const SnapshotRow& b) { return a.name < b.name; });
    std::unordered_set<std::string> seen;
    for (const SnapshotRow& row : rows) {
        std::string lot(lotIdentifierOf(asciiLowerCased(row.name)));
        if (seen.insert(lot).second)
            scan.strLotIDArray.push_back(std::move(lot));
    }
    scan.strSnapshotArray = std::move(rows);
    return ScanOutcome::Complete;
}
