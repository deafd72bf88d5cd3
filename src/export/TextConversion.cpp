#include "TextConversion.h"

#include "document/FileNames.h"
#include "document/StoredText.h"
#include "document/TextUtil.h"

#include <array>

namespace {

// What stands in a script string for the bytes at the start of rest, and how many bytes it stands
// for; an empty text leaves the byte as it is.
struct Escape {
    std::string_view text;
    std::size_t length = 1;
};

constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";

// The first byte from at on that may need an escape, or the text's size.
std::size_t nextMayNeedScriptEscape(std::string_view text, std::size_t at) {
    static_assert(kLineSeparator[0] == '\xE2' && kParagraphSeparator[0] == '\xE2');
    const std::size_t found = findFirstOf<'\\', '"', '\'', '\r', '\n', '<', '\xE2'>(text, at);
    return found == std::string_view::npos ? text.size() : found;
}

Escape scriptEscape(std::string_view rest) {
    switch (rest[0]) {
    case '\\':
        return {"\\\\"};
    case '"':
        return {"\\\""};
    case '\'':
        return {"\\'"};
    case '\r':
        return {"\\r"};
    case '\n':
        return {"\\n"};
    case '<':
        // The script element ends at "</"; after "<!--" a "<script" would keep it from ending.
        return {rest.starts_with("</") || rest.starts_with("<!--") ? "<\\" : ""};
    }
    // Older script engines end a string at these two, as at a line break.
    if (rest.starts_with(kLineSeparator))
        return {"\\u2028", kLineSeparator.size()};
    if (rest.starts_with(kParagraphSeparator))
        return {"\\u2029", kParagraphSeparator.size()};
    return {};
}

std::string_view htmlReference(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&#34;";
    default:
        return "&#39;";
    }
}

// The bytes an address may hold as they are, whatever surrounds it.
constexpr auto kUnreserved = [] {
    std::array<bool, 256> unreserved{};
    for (int c = 0; c < 256; ++c)
        unreserved[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '-' || c == '.' || c == '_' || c == '~';
    return unreserved;
}();
bool isUnreserved(char c) {
    return kUnreserved[static_cast<unsigned char>(c)];
}

} // namespace

// The story without its CDATA openings, then without its CDATA ends and with each LF a "<BR>": the
// two of the second pass never overlap, so one pass left to right does for both. The openings go
// first, since taking one out may bring an end together.
void appendStoryMarkup(std::string& out, std::string_view text) {
    static thread_local std::string unwrapped; // kept from story to story
    unwrapped.clear();
    appendReplacedAll(unwrapped, text, album::kCdataOpen, "");
    std::size_t from = 0;
    for (std::size_t at = findFirstOf<']', '\n'>(unwrapped); at != std::string::npos;
         at = findFirstOf<']', '\n'>(unwrapped, at + 1)) {
        const bool lineFeed = unwrapped[at] == '\n';
        if (!lineFeed && unwrapped.compare(at, album::kCdataClose.size(), album::kCdataClose) != 0)
            continue;
        out.append(unwrapped, from, at - from);
        if (lineFeed)
            out += "<BR>";
        from = at + (lineFeed ? 1 : album::kCdataClose.size());
        at = from - 1;
    }
    out.append(unwrapped, from);
}

std::string storyMarkup(std::string_view text) {
    std::string result;
    appendStoryMarkup(result, text);
    return result;
}

void appendScriptString(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t at = nextMayNeedScriptEscape(text, 0); at < text.size();
         at = nextMayNeedScriptEscape(text, at + 1)) {
        const Escape escape = scriptEscape(text.substr(at));
        if (escape.text.empty())
            continue;
        out.append(text, from, at - from);
        out += escape.text;
        from = at + escape.length;
        at = from - 1;
    }
    out.append(text, from);
}

std::string scriptString(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 16);
    appendScriptString(result, text);
    return result;
}

std::string htmlText(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 16);
    std::size_t from = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c != '&' && c != '<' && c != '>' && c != '"' && c != '\'')
            continue;
        result.append(text, from, at - from);
        result += htmlReference(c);
        from = at + 1;
    }
    result.append(text, from);
    return result;
}

void appendPictureAddress(std::string& result, std::string_view name) {
    if (!isPlainFileName(name))
        return;
    constexpr char kHex[] = "0123456789ABCDEF";
    std::size_t from = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (isUnreserved(name[at]))
            continue;
        const auto byte = static_cast<unsigned char>(name[at]);
        result.append(name, from, at - from);
        result += '%';
        result += kHex[byte >> 4];
        result += kHex[byte & 0x0F];
        from = at + 1;
    }
    result.append(name, from);
}
