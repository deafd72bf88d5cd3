#pragma once
// A scratch folder for the browser's tests, removed with everything in it; files get chosen times.

#include "TempFolder.h"

#include <fstream>
#include <string>

#include <utime.h>

class SnapshotFolder : public TempFolder {
public:
    std::string folder() const { return path() + "/"; } // as the album gives it
    // A file last modified at time (seconds since the epoch), when given.
    void touch(const std::string& name, long time = 0) const {
        std::ofstream(file(name), std::ios::binary) << "x";
        const utimbuf times{time, time};
        if (time != 0)
            ::utime(file(name).c_str(), &times);
    }
};
