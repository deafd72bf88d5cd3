#pragma once
// A scratch folder for the browser's tests, removed with everything in it; files get chosen times.

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>
#include <utime.h>

class SnapshotFolder {
public:
    SnapshotFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindlecove-snap-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~SnapshotFolder() { std::filesystem::remove_all(m_path); }

    std::string folder() const { return m_path.string() + "/"; } // as the album gives it
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    // A file last modified at time (seconds since the epoch), when given.
    void touch(const std::string& name, long time = 0) const {
        std::ofstream(file(name), std::ios::binary) << "x";
        const utimbuf times{time, time};
        if (time != 0)
            ::utime(file(name).c_str(), &times);
    }

private:
    std::filesystem::path m_path;
};
