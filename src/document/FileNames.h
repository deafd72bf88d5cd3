#pragma once
// The rules for the image names an album gives: which names may be opened, and how a snapshot's
// thumbnail is named. Every caller that turns an album's name into a file goes through here.

#include <string>
#include <string_view>

// True when name is a plain file name that stays in the album's folder: not empty, not "." or "..",
// no folder separator of either platform and no NUL byte. Any other name is treated as a missing file.
bool isPlainFileName(std::string_view name);

// The thumbnail that belongs to a snapshot: every "snapshot_" becomes "thumbnail_".
std::string thumbnailNameFor(std::string_view snapshotName);
