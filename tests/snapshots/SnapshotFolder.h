#pragma once
// A scratch folder of snapshot files for the browser's tests: empty files with chosen modification
// times, or small thumbnails that decode.

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>
#include <utime.h>

class SnapshotFolder {
public:
    SnapshotFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindlecove-snap-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~SnapshotFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    SnapshotFolder(const SnapshotFolder&) = delete;
    SnapshotFolder& operator=(const SnapshotFolder&) = delete;

    // The folder as the album gives it: ending in '/'.
    std::string folder() const { return m_path.string() + "/"; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    // An empty file, last modified at time (seconds since the epoch) when given.
    void touch(const std::string& name, long time = 0, const std::string& bytes = {}) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        if (time != 0) {
            const utimbuf times{time, time};
            ::utime(file(name).c_str(), &times);
        }
    }
    void remove(const std::string& name) const { std::filesystem::remove(file(name)); }

private:
    std::filesystem::path m_path;
};
