#pragma once
// Finds, in one pass over a line, which of the album's tags it contains. Every "line contains tag"
// test of the structure check and the parser is a bit test on the result.

#include <cstdint>
#include <string_view>

namespace tag {
enum : std::uint32_t {
    ExchangeMetadata = 1u << 0,
    Entry = 1u << 1,
    EntryEnd = 1u << 2,
    KeywordList = 1u << 3, // "<KeywordList" with or without the closing bracket
    // Opening field tags in field order, then closing ones: bit FieldOpen << field.
    FieldOpen = 1u << 4,
    FieldClose = 1u << 10,
};
constexpr std::uint32_t fieldOpen(int field) {
    return FieldOpen << field;
}
constexpr std::uint32_t fieldClose(int field) {
    return FieldClose << field;
}
} // namespace tag

std::uint32_t scanTags(std::string_view line);

// Splits bytes into lines: LF ends a line and a CR right before it is dropped; a line end at the very
// end does not start another line. A lone CR stays in its line.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view bytes) : m_bytes(bytes) {}
    bool next(std::string_view& line);

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The lines of LineSplitter with the tags of scanTags, found in one pass over the bytes that stops at
// each '<' and each line end alike.
class TaggedLines {
public:
    explicit TaggedLines(std::string_view bytes) : m_bytes(bytes) {}
    bool next(std::string_view& line, std::uint32_t& tags);

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The number of lines LineSplitter gives for these bytes.
std::size_t countLines(std::string_view bytes);
