#pragma once
// A scratch folder for the browser's tests, removed with everything in it; files get chosen times.

#include "TempFolder.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

class SnapshotFolder : public TempFolder {
public:
    std::string folder() const { return path() + "/"; } // as the album gives it
    // A file last modified at time (seconds since the epoch), when given.
    void touch(const std::string& name, long time = 0) const {
        std::ofstream(pathOf(file(name)), std::ios::binary) << "x";
        if (time == 0)
            return;
        const auto at = std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(time));
        std::filesystem::last_write_time(pathOf(file(name)), at);
    }
};
