#pragma once
// The guarantee behind every save: the bytes about to be written are read back, in memory, through
// the same structure check, line reader and parsers that open an album, and must give exactly the
// records, pages and album values in memory. Whatever would not survive a reload is never written.

#include "Storybook.h"

#include <string_view>

// True when bytes load into what album holds: records, page count, every field of every page (a
// "{vbcrlf}" in memory standing for the line break it is written as) and the four album values.
// A title or story changed since it was read must also keep its CDATA section whole.
bool readsBackAs(const Storybook& album, std::string_view bytes);
