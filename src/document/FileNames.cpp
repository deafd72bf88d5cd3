#include "FileNames.h"

#include "TextUtil.h"

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // Every page's names are looked at on every export.
    return findFirstOf<'/', '\\', '\0'>(name) == std::string_view::npos;
}

std::string thumbnailNameFor(std::string_view snapshotName) {
    return replacedAll(std::string(snapshotName), "snapshot_", "thumbnail_");
}
