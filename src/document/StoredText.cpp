#include "StoredText.h"

#include "TextUtil.h"
#include "XmlText.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using album::kCdataClose;
using album::kCdataJoin;
using album::kCdataOpen;
using album::kCdataSplit;
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

// Writes the UTF-8 form of code at to; the end of what was written.
char* writeUtf8(char* to, std::uint32_t code) {
    if (code < 0x80) {
        *to++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *to++ = static_cast<char>(0xC0 | (code >> 6));
        *to++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *to++ = static_cast<char>(0xE0 | (code >> 12));
        *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *to++ = static_cast<char>(0xF0 | (code >> 18));
        *to++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return to;
}

// Writes the character the reference at text[at] ("&...;") stands for at to, which it moves past it;
// the length taken, or 0 when it is none. What is written is never longer than the reference.
std::size_t readReference(std::string_view text, std::size_t at, char*& to) {
    const std::size_t end = text.find(';', at);
    if (end == std::string_view::npos || end - at > 12)
        return 0;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, character] : kNamed) {
        if (name == entity) {
            *to++ = character;
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
    to = writeUtf8(to, code);
    return end - at + 1;
}

// Between two sections: character data, which may hold references, up to the next section. Writes
// what it stands for at to and moves at past the next section's opening; false when none follows.
bool copyBetweenSections(std::string_view inner, std::size_t& at, char*& to) {
    const char* data = inner.data();
    const std::size_t size = inner.size();
    while (!(size - at >= kCdataOpen.size() && std::memcmp(data + at, "<![CDATA[", kCdataOpen.size()) == 0)) {
        if (at >= size || data[at] == '<')
            return false;
        if (data[at] == '&') {
            const std::size_t taken = readReference(inner, at, to);
            if (taken == 0)
                return false;
            at += taken;
        } else {
            *to++ = data[at++];
        }
    }
    at += kCdataOpen.size();
    return true;
}

// The sections of inner (a wrapped content without its outer wrapper) joined, in one pass whatever
// the number of sections; false when they do not join up. Written in place into room for all of
// inner: every section border, line-break mark and reference is longer than what it becomes.
bool joinSections(std::string_view inner, std::string& out) {
    const std::size_t base = out.size();
    // Sixteen bytes more, since plain text is copied a whole block at a time.
    out.resize(base + inner.size() + 16);
    char* const first = out.data() + base;
    char* to = first;
    const char* data = inner.data();
    const std::size_t size = inner.size();
    std::size_t at = 0;
    while (at < size) {
        // Plain text up to the next "]" or "{" (the bytes that may end a section or start a mark),
        // copied as it is looked through.
        const std::size_t plain = copyToFirstOf<']', '{'>(to, inner.substr(at));
        at += plain;
        to += plain;
        if (at == size)
            break;
        // Compared in place: the lengths are known, so no call is made on the many short sections of
        // a text full of splits.
        const std::size_t left = size - at;
        if (data[at] == '{' && left >= kLineBreakMark.size() &&
            std::memcmp(data + at, "{vbcrlf}", kLineBreakMark.size()) == 0) {
            *to++ = '\r';
            *to++ = '\n';
            at += kLineBreakMark.size();
        } else if (data[at] == ']' && left >= kCdataSplit.size() &&
                   std::memcmp(data + at, "]]]]><![CDATA[>", kCdataSplit.size()) == 0) {
            // The split a "]]>" is stored as, at one compare.
            std::memcpy(to, "]]>", 3);
            to += 3;
            at += kCdataSplit.size();
        } else if (data[at] == ']') {
            // A run of "]" is copied whole but for the two that may close the section with a ">".
            std::size_t run = at + 1;
            while (run < size && data[run] == ']')
                ++run;
            const bool closes = run - at >= 2 && run < size && data[run] == '>';
            const std::size_t kept = closes ? run - 2 : run;
#if defined(__SSE2__)
            // Short runs, as a text full of splits holds, by one block rather than a call.
            if (kept - at <= 16 && at + 16 <= size) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)));
                to += kept - at;
                at = kept;
            }
#endif
            for (; at < kept; ++at)
                *to++ = ']';
            if (!closes)
                continue;
            at = run + 1;
            if (!copyBetweenSections(inner, at, to))
                return false;
        } else {
            *to++ = data[at++];
        }
    }
    out.resize(base + static_cast<std::size_t>(to - first));
    return true;
}

// Content without the wrapper that is well-formed element text, as an XML reader reads it: references
// read, CDATA sections as they stand, and a line-break mark the file holds read as the CR LF it is
// written as. Nothing becomes longer than what stands for it, so it is written in place.
void decodeElementText(std::string_view content, std::string& out) {
    const std::size_t base = out.size();
    out.resize(base + content.size());
    char* const first = out.data() + base;
    char* to = first;
    bool inSection = false;
    std::size_t at = 0;
    while (at < content.size()) {
        const std::string_view rest = content.substr(at);
        std::size_t taken = 0;
        if (rest.starts_with(kLineBreakMark)) {
            *to++ = '\r';
            *to++ = '\n';
            taken = kLineBreakMark.size();
        } else if (inSection && rest.starts_with(kCdataClose)) {
            inSection = false;
            taken = kCdataClose.size();
        } else if (!inSection && rest.starts_with(kCdataOpen)) {
            inSection = true;
            taken = kCdataOpen.size();
        } else if (!inSection && rest[0] == '&') {
            taken = readReference(content, at, to);
        }
        if (taken == 0) {
            *to++ = content[at];
            taken = 1;
        }
        at += taken;
    }
    out.resize(base + static_cast<std::size_t>(to - first));
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
        if (firstXmlContentFault(content))
            appendExpandingLineBreaks(out, content, "\r\n");
        else
            decodeElementText(content, out);
        return out;
    }
    const std::string_view inner =
        content.substr(kCdataOpen.size(), content.size() - kCdataOpen.size() - kCdataClose.size());
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
