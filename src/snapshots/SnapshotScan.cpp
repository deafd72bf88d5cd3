#include "SnapshotScan.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Folder = std::unique_ptr<DIR, DirCloser>;

Folder openFolder(const std::string& folder) {
    return Folder(::opendir(folder.empty() ? "." : folder.c_str()));
}

bool isDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Whether an entry is a subfolder; the listing usually says, otherwise the entry is looked up.
bool isSubfolder(DIR* dir, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat info {};
    return ::fstatat(::dirfd(dir), entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

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

} // namespace

std::string asciiLowerCased(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

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
    if (::localtime_r(&time, &local) == nullptr)
        return "0000/00/00 00:00:00";
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::optional<int> countFolderFiles(const std::string& folder) {
    const Folder dir = openFolder(folder);
    if (!dir)
        return std::nullopt;
    int count = 0;
    while (const dirent* entry = ::readdir(dir.get()))
        if (!isDotEntry(entry->d_name) && !isSubfolder(dir.get(), *entry))
            ++count;
    return count;
}

ScanOutcome ScanSnapshotFolder(const std::string& folder, SnapshotScan& scan, const ScanProgress& progress) {
    scan.strSnapshotArray.clear();
    scan.strLotIDArray.clear();
    const Folder dir = openFolder(folder);
    if (!dir)
        return ScanOutcome::FolderUnreadable;

    ProgressThrottle throttle;
    std::vector<SnapshotRow> rows;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!isSnapshotFileName(name))
            continue;
        struct stat info {};
        // A file removed since it was listed, or a subfolder with a snapshot's name, is no snapshot.
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode))
            continue;
        rows.push_back({std::string(name), dateText(info.st_mtime)});
        if (rows.size() > 1 && progress && !progress(throttle.next(static_cast<int>(rows.size()))))
            return ScanOutcome::Stopped;
    }

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
