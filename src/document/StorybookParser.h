#pragma once
// Splitting the line image into the album metadata, the verbatim records and the entry table.
// Works by line patterns and fixed widths, not by XML syntax.

#include "Message.h"
#include "Storybook.h"

#include <optional>
#include <string_view>

enum class ParseOutcome {
    Complete,       // every line was taken in
    Stopped,        // the parse stopped at a fault; what was stored stays
    EndApplication, // the fault is one after which the application must end at once
};

// What a parse came to, and the message that says why it stopped (set unless it is Complete). The
// message is shown before anything else happens; after EndApplication nothing else happens at all.
struct ParseResult {
    ParseOutcome outcome = ParseOutcome::Complete;
    std::optional<Message> message;
    bool endsApplication() const { return outcome == ParseOutcome::EndApplication; }
};

void ParseAlbumGlobals(Storybook& album);
ParseResult ParseStorybookRecords(Storybook& album);
// The same, taking each line's tags from the scan that filled the line image.
struct LineScan;
ParseResult ParseStorybookRecords(Storybook& album, const LineScan& scan);
// Stores one field line into entry e; EndApplication, with its message, when the closing tag does not
// end like the opening tag.
ParseResult StoreEntryField(Storybook& album, int e, int f, std::string_view line, int indent, int tagLength);
