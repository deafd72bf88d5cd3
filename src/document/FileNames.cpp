#include "FileNames.h"

#include "TextUtil.h"

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string thumbnailNameFor(std::string_view snapshotName) {
    return replacedAll(std::string(snapshotName), "snapshot_", "thumbnail_");
}
