#pragma once
// Why an album file could not be opened, in the words the open command shows.

#include "Message.h"
#include "StorybookReader.h"

#include <optional>

// Nothing when the file was read and passed the structure check.
inline std::optional<Message> loadFailure(const LineScan& scan) {
    if (scan.read && scan.checked)
        return std::nullopt;
    if (!scan.refusal.empty())
        return Message{scan.refusal, MessageIcon::Critical, "load operation failed"};
    if (scan.checked)
        return Message{"Unable to load this file.", MessageIcon::Critical, "load operation aborted"};
    return Message{"XML Integrity Check Failed!\r\n\r\nThe storybook you are attempting\r\n"
                   "to load is in an invalid format.  ",
                   MessageIcon::Critical, "load operation failed"};
}
