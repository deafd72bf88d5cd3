#pragma once
// The open album in memory: the line image, the three verbatim records, the entry table, the album
// metadata and the page buffer. Plain state with fixed capacities; the operations that read and change
// it live in StorybookReader, StorybookParser, StorybookWriter and PageOperations.

#include "Cell.h"
#include "SlotTable.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace album {
inline constexpr int kLineImageSlots = 10000; // at most 9,999 file lines plus the "<EOF>" marker
inline constexpr int kMaxFileLines = kLineImageSlots - 1;
inline constexpr int kClientEnvSlots = 10; // 9 lines used at most
inline constexpr int kMetaHeadSlots = 12;  // 11 lines used at most
inline constexpr int kFooterSlots = 15;    // 14 lines used at most
inline constexpr int kEntrySlots = 1025;   // entries 0 to 1,024
inline constexpr int kFieldCount = 6;
inline constexpr int kPartCount = 4;
inline constexpr int kIndentWidth = 8;
inline constexpr const char* kEofMarker = "<EOF>";
inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

enum Field { Title = 0, ThumbnailFilename = 1, Snapshot = 2, Text = 3, TextResourceId = 4, TimeStamp = 5 };
enum Part { WholeLine = 0, OpeningPart = 1, Content = 2, ClosingPart = 3 };

// Opening tags and their lengths, in field order.
inline constexpr std::array<std::string_view, kFieldCount> kOpeningTags = {
    "<Title>", "<ThumbnailFilename>", "<Snapshot>", "<Text>", "<TextResourceId>", "<TimeStamp>"};
inline constexpr std::array<std::string_view, kFieldCount> kClosingTags = {
    "</Title>", "</ThumbnailFilename>", "</Snapshot>", "</Text>", "</TextResourceId>", "</TimeStamp>"};
} // namespace album

using EntryCells = std::array<std::array<Cell, album::kPartCount>, album::kFieldCount>;

struct Storybook {
    // Line image: the file as read, or as last written, with "<EOF>" after the last line.
    SlotTable<Cell, album::kLineImageSlots, 256> strLogFileArray;
    std::int16_t intLogFileLastLine = -1;

    // The bytes of the file last read, which the line image refers to, and those of the file last
    // parsed, which the cells refer to (the same bytes unless a read was not followed by a parse).
    // A buffer is let go only once nothing refers to it any more; see StorybookReader.
    std::shared_ptr<std::string> lineBytes;
    std::shared_ptr<std::string> cellBytes;
    std::shared_ptr<std::string> spareBytes; // a buffer let go, kept for the next read
    bool linesReferToCellBytes = false;      // lines written from the cells since the last read
    // Stories of several lines, joined, which the cells of the last parse refer to. They lie end to end
    // in blocks (the first joinedInUse of them) that never grow past the room reserved in them, so a
    // story stays where it was put; the blocks are kept with their capacity for the next parse.
    std::deque<std::string> joinedTexts;
    std::size_t joinedInUse = 0;

    // Verbatim records: a record ends at its first unset slot.
    std::array<Cell, album::kClientEnvSlots> strXClientEnv;
    std::array<Cell, album::kMetaHeadSlots> strXMetaHead;
    std::array<Cell, album::kFooterSlots> strXFooter;

    // Entry table, indexed [entry][field][part]; entries 0 to varPageCount - 1 are the pages.
    SlotTable<EntryCells, album::kEntrySlots, 16> varEntryArray;
    int varPageCount = 0;
    // Entries from this index on, and from varPageCount on, were never set since the last parse
    // reset them, so the next parse resets only the ones below. Whatever raises varPageCount
    // raises this with it, since lowering the count later leaves the entries above it set.
    int entriesInUse = 0;

    std::string strFamilyName;
    std::string strNeighborhoodName;
    std::string strLotName;
    std::string strTitle;

    // One page while it is being moved.
    EntryCells varPageBuffer;

    // The content (part 2) of a field of an entry.
    std::string_view content(int entry, int field) const {
        return varEntryArray[entry][field][album::Content].text();
    }
};

// True when text lies within bytes, so a cell may refer to it instead of copying it.
inline bool liesWithin(std::string_view text, const std::shared_ptr<std::string>& bytes) {
    if (!bytes)
        return false;
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes->data());
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    return at >= begin && at <= begin + bytes->size() && text.size() <= begin + bytes->size() - at;
}

// The model has room for tens of thousands of cells; keep it on the heap. Its tables take memory
// only as an album fills them.
inline std::unique_ptr<Storybook> makeStorybook() {
    return std::unique_ptr<Storybook>(new Storybook);
}
