#include "StoredText.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using album::kCdataClose;
using album::kCdataJoin;
using album::kCdataOpen;
using album::kLineBreakMark;

// The names after "<" or "</" that the line reader and the parser take for the album's structure,
// and the start of the XML declaration, which a line may not be on its own.
constexpr std::array<std::string_view, 10> kStructureNames = {
    "Title>", "ThumbnailFilename>", "Snapshot>",   "Text>", "TextResourceId>", "TimeStamp>",
    "Entry>", "ExchangeMetadata>",  "KeywordList", "?xml"};

bool startsStructureTag(std::string_view rest) {
    if (rest.starts_with('/'))
        rest.remove_prefix(1);
    for (std::string_view name : kStructureNames) {
        if (rest.starts_with(name))
            return true;
    }
    return false;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads the reference at text[at] ("&...;") into out; the length taken, or 0 when it is none.
std::size_t readReference(std::string_view text, std::size_t at, std::string& out) {
    const std::size_t end = text.find(';', at);
    if (end == std::string_view::npos || end - at > 12)
        return 0;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, character] : kNamed) {
        if (name == entity) {
            out += character;
            return end - at + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return 0;
    std::uint32_t code = 0;
    for (char c : digits) {
        int value = -1;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        if (value < 0)
            return 0;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
        if (code > 0x10FFFF)
            return 0;
    }
    appendUtf8(out, code);
    return end - at + 1;
}

// The first "]" or "{" from pos on (the bytes that may end a section or start a line-break mark), or
// the text's size when there is none.
std::size_t nextSectionMark(std::string_view text, std::size_t pos) {
    const char* data = text.data();
    const std::size_t size = text.size();
#if defined(__SSE2__)
    for (; pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        const __m128i found = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(']')),
                                           _mm_cmpeq_epi8(block, _mm_set1_epi8('{')));
        if (const auto hits = static_cast<unsigned>(_mm_movemask_epi8(found)); hits != 0)
            return pos + static_cast<std::size_t>(__builtin_ctz(hits));
    }
#endif
    for (; pos < size; ++pos) {
        if (data[pos] == ']' || data[pos] == '{')
            return pos;
    }
    return size;
}

// The sections of inner (a wrapped content without its outer wrapper) joined, in one pass whatever
// the number of sections; false when they do not join up.
bool joinSections(std::string_view inner, std::string& out) {
    std::size_t copied = 0; // inner up to here is in out
    for (std::size_t at = nextSectionMark(inner, 0); at < inner.size(); at = nextSectionMark(inner, at)) {
        const std::string_view rest = inner.substr(at);
        if (rest.starts_with(kLineBreakMark)) {
            out.append(inner.substr(copied, at - copied));
            out += "\r\n";
            at += kLineBreakMark.size();
            copied = at;
            continue;
        }
        if (!rest.starts_with(kCdataClose)) {
            ++at;
            continue;
        }
        out.append(inner.substr(copied, at - copied));
        // Between two sections: character data, which may hold references, up to the next section.
        at += kCdataClose.size();
        while (!inner.substr(at).starts_with(kCdataOpen)) {
            if (at >= inner.size() || inner[at] == '<')
                return false;
            if (inner[at] == '&') {
                const std::size_t taken = readReference(inner, at, out);
                if (taken == 0)
                    return false;
                at += taken;
            } else {
                out += inner[at++];
            }
        }
        at += kCdataOpen.size();
        copied = at;
    }
    out.append(inner.substr(copied));
    return true;
}

} // namespace

std::string wrapInCdata(std::string_view text) {
    std::string out;
    out.reserve(text.size() + kCdataOpen.size() + kCdataClose.size());
    out += kCdataOpen;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        const std::string_view rest = text.substr(at + 1);
        if (c == '\r' && rest.starts_with('\n')) {
            out += "\r\n";
            ++at;
        } else if (c == '\r' || c == '\n') {
            out += kCdataClose;
            out += c == '\r' ? "&#13;" : "&#10;";
            out += kCdataOpen;
        } else if (c == ']' && rest.starts_with("]>")) {
            out += "]]";
            out += kCdataJoin;
            ++at; // the second "]"; the ">" opens the next section
        } else if ((c == '<' && startsStructureTag(rest)) || (c == '{' && rest.starts_with("vbcrlf}"))) {
            // Kept apart from its name, the tag is no tag to the line reader and the mark no mark.
            out += c;
            out += kCdataJoin;
        } else {
            out += c;
        }
    }
    out += kCdataClose;
    return out;
}

std::string unwrapCdata(std::string_view content) {
    std::string out;
    if (content.size() < kCdataOpen.size() + kCdataClose.size() || !content.starts_with(kCdataOpen) ||
        !content.ends_with(kCdataClose)) {
        appendExpandingLineBreaks(out, content, "\r\n");
        return out;
    }
    const std::string_view inner =
        content.substr(kCdataOpen.size(), content.size() - kCdataOpen.size() - kCdataClose.size());
    out.reserve(inner.size());
    if (joinSections(inner, out))
        return out;
    out.clear();
    appendExpandingLineBreaks(out, inner, "\r\n");
    return out;
}

void appendExpandingLineBreaks(std::string& out, std::string_view text, std::string_view lineBreak) {
    std::size_t from = 0;
    for (auto mark = text.find(kLineBreakMark); mark != std::string_view::npos;
         mark = text.find(kLineBreakMark, from)) {
        out.append(text.substr(from, mark - from));
        out.append(lineBreak);
        from = mark + kLineBreakMark.size();
    }
    out.append(text.substr(from));
}
