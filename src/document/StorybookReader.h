#pragma once
// Reading an album file: the structure check that judges the file as stored, and the line reader
// that fills the line image. Both read the file as bytes, one character per byte.

#include "Storybook.h"

#include <cstdint>
#include <string>
#include <vector>

// True when the file exists, can be read and has the structure the rest of the program relies on.
bool CheckStorybookStructure(const std::string& path);
// The same check on bytes already in memory.
bool CheckStorybookStructureText(std::string_view bytes);

// Fills strLogFileArray and intLogFileLastLine. False when the file cannot be found or read, or
// holds more lines than the line image (the line image is then left untouched).
bool ReadStorybookLines(Storybook& album, const std::string& path);
bool ReadStorybookLinesText(Storybook& album, std::string_view bytes);

// The check and the reader in one pass over one read of the file, as the open command runs them:
// the check's verdict, the reader's result (the line image is filled whenever the file fits, also
// after a failed check) and each line's tags, which the parser takes instead of finding them again.
struct LineScan {
    // Where a line lies in the bytes scanned (an album is far below 4 GB). Half a view's size: on a
    // fresh load the list is new memory, and touching it costs more than filling it.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    bool checked = false;
    bool read = false;
    std::vector<Span> lines;         // each line of the bytes; the parser reads them from here
    std::vector<std::uint32_t> tags; // one per line; valid while the line image is unchanged
    // Why the file was not read at all (missing, no regular file, too large), naming its path; empty
    // when it was read.
    std::string refusal;
};
void CheckAndReadStorybook(Storybook& album, const std::string& path, LineScan& scan);
void CheckAndReadStorybookText(Storybook& album, std::string_view bytes, LineScan& scan);
// The same on bytes the model takes as they are: its lines and cells refer to them, uncopied.
void CheckAndReadStorybookBuffer(Storybook& album, std::shared_ptr<std::string> bytes, LineScan& scan);
