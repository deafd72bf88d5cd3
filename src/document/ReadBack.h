#pragma once
// The guarantee behind every save: the bytes about to be written are read back, in memory, through
// the same structure check, line reader and parsers that open an album, and must give exactly the
// records, pages and album values in memory. Whatever would not survive a reload is never written.

#include "Storybook.h"

#include <memory>
#include <string>

// Why bytes would not load into what album holds (records, page count, every field of every page,
// a "{vbcrlf}" in memory standing for the line break it is written as, and the four album values),
// naming the page where it can; empty when they would. A field changed since it was read must also
// be well-formed XML element text that the line reader cannot take for the album's structure.
// The bytes are read in place, and nothing the check made of them is kept once it returns.
// The line image may hold a line break as a CR LF pair or as a "{vbcrlf}" alike.
std::string readBackProblem(const Storybook& album, const std::shared_ptr<std::string>& bytes);

inline bool readsBackAs(const Storybook& album, const std::shared_ptr<std::string>& bytes) {
    return readBackProblem(album, bytes).empty();
}

// Where line k of the line image stands, for a message: "page 3", "the head of the file", ...
std::string placeOfLine(const Storybook& album, int k);
