#pragma once
// Opening an album file into a new album: the check, the read and the parse, with nothing done to
// the album open. The caller takes the new album in its place only when the parse is complete.

#include "Message.h"
#include "Storybook.h"
#include "StorybookParser.h"

#include <memory>
#include <optional>
#include <string>

struct AlbumLoad {
    // Why the file could not be read or failed its check; nothing was parsed then.
    std::optional<Message> failure;
    // Otherwise the album as far as the parse went (its line image is the file's lines), and what
    // the parse came to.
    std::unique_ptr<Storybook> album;
    ParseResult parsed;
};

AlbumLoad LoadAlbumFile(const std::string& path);
