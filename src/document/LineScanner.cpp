#include "LineScanner.h"

#include "TextUtil.h"

#include <cstring>

namespace {

constexpr std::uint32_t word(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// True when the text stands at pos; the length is known at compile time, so the compare is inlined.
template <std::size_t N> bool follows(std::string_view line, std::size_t pos, const char (&text)[N]) {
    return line.size() - pos >= N - 1 && std::memcmp(line.data() + pos, text, N - 1) == 0;
}

// The opening tag whose name begins at pos, by its first four bytes.
std::uint32_t openingTagAt(std::string_view line, std::size_t pos) {
    if (pos > line.size() || line.size() - pos < 5)
        return 0;
    std::uint32_t prefix;
    std::memcpy(&prefix, line.data() + pos, 4);
    pos += 4;
    switch (prefix) {
    case word("Titl"):
        return follows(line, pos, "e>") ? tag::fieldOpen(0) : 0u;
    case word("Thum"):
        return follows(line, pos, "bnailFilename>") ? tag::fieldOpen(1) : 0u;
    case word("Snap"):
        return follows(line, pos, "shot>") ? tag::fieldOpen(2) : 0u;
    case word("Text"):
        if (follows(line, pos, ">"))
            return tag::fieldOpen(3);
        return follows(line, pos, "ResourceId>") ? tag::fieldOpen(4) : 0u;
    case word("Time"):
        return follows(line, pos, "Stamp>") ? tag::fieldOpen(5) : 0u;
    case word("Entr"):
        return follows(line, pos, "y>") ? std::uint32_t{tag::Entry} : 0u;
    case word("Exch"):
        return follows(line, pos, "angeMetadata>") ? std::uint32_t{tag::ExchangeMetadata} : 0u;
    case word("Keyw"):
        return follows(line, pos, "ordList") ? std::uint32_t{tag::KeywordList} : 0u;
    default:
        return 0;
    }
}

// The tags that can start at a '<' whose name begins at pos.
std::uint32_t tagsAt(std::string_view line, std::size_t pos) {
    if (pos >= line.size() || line[pos] != '/')
        return openingTagAt(line, pos);
    const std::uint32_t open = openingTagAt(line, pos + 1);
    if (open == tag::Entry)
        return tag::EntryEnd;
    // A closing field tag sits six places above its opening one; other closing tags count for nothing.
    return (open & (tag::fieldOpen(0) * 0x3fu)) << 6;
}

} // namespace

std::uint32_t scanTags(std::string_view line) {
    std::uint32_t found = 0;
    const char* data = line.data();
    std::size_t pos = 0;
    while (pos < line.size()) {
        const void* hit = std::memchr(data + pos, '<', line.size() - pos);
        if (!hit)
            break;
        pos = static_cast<std::size_t>(static_cast<const char*>(hit) - data) + 1;
        found |= tagsAt(line, pos);
    }
    return found;
}

// Tags are looked for in the bytes up to the end of the whole text rather than of the line: no tag
// holds a CR or an LF, so none can match across a line end and the result is the same.
bool TaggedLines::next(std::string_view& line, std::uint32_t& tags) {
    const std::size_t size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char* data = m_bytes.data();
    const std::size_t start = m_pos;
    std::size_t pos = start;
    std::size_t end = size;
    tags = 0;
#if defined(__SSE2__)
    for (; end == size && pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        unsigned hits = blockHits<'<', '\n'>(block);
        for (; hits != 0; hits &= hits - 1) {
            const std::size_t at = pos + static_cast<std::size_t>(__builtin_ctz(hits));
            if (data[at] == '\n') {
                end = at;
                break;
            }
            tags |= tagsAt(m_bytes, at + 1);
        }
    }
#endif
    for (; end == size && pos < size; ++pos) {
        if (data[pos] == '\n')
            end = pos;
        else if (data[pos] == '<')
            tags |= tagsAt(m_bytes, pos + 1);
    }
    std::size_t length = end - start;
    m_pos = end == size ? size : end + 1;
    if (end < size && length > 0 && data[end - 1] == '\r')
        --length;
    line = std::string_view(data + start, length);
    return true;
}

bool LineSplitter::next(std::string_view& line) {
    if (m_pos >= m_bytes.size())
        return false;
    const char* start = m_bytes.data() + m_pos;
    const std::size_t rest = m_bytes.size() - m_pos;
    const void* hit = std::memchr(start, '\n', rest);
    std::size_t length = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - start) : rest;
    m_pos += hit ? length + 1 : length;
    if (hit && length > 0 && start[length - 1] == '\r')
        --length;
    line = std::string_view(start, length);
    return true;
}

std::size_t countLines(std::string_view bytes) {
    std::size_t lines = 0;
    const char* data = bytes.data();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* hit = std::memchr(data + pos, '\n', bytes.size() - pos);
        ++lines;
        if (!hit)
            break;
        pos = static_cast<std::size_t>(static_cast<const char*>(hit) - data) + 1;
    }
    return lines;
}
