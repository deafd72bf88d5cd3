#pragma once
// Splitting the line image into the album metadata, the verbatim records and the entry table.
// Works by line patterns and fixed widths, not by XML syntax.

#include "Storybook.h"
#include "StorybookHost.h"

#include <string_view>

enum class ParseOutcome {
    Complete,       // every line was taken in
    Stopped,        // a message stopped the parse; what was stored stays
    EndApplication, // a message ended the application (asked of the host)
};

void ParseAlbumGlobals(Storybook& album);
ParseOutcome ParseStorybookRecords(Storybook& album, StorybookHost& host);
// The same, taking each line's tags from the scan that filled the line image.
struct LineScan;
ParseOutcome ParseStorybookRecords(Storybook& album, StorybookHost& host, const LineScan& scan);
// Stores one field line into entry e; false (after the message and the request to end) when the
// closing tag does not end like the opening tag.
bool StoreEntryField(Storybook& album, StorybookHost& host, int e, int f, std::string_view line, int indent,
                     int tagLength);
