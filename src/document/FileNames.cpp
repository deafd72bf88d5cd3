#include "FileNames.h"

#include "TextUtil.h"

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // Byte by byte: a search for any of a set looks each byte up in the set with a call of its own.
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == '\0')
            return false;
    }
    return true;
}

std::string thumbnailNameFor(std::string_view snapshotName) {
    return replacedAll(std::string(snapshotName), "snapshot_", "thumbnail_");
}
