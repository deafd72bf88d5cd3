#include "TextConversion.h"

#include "document/FileNames.h"
#include "document/StoredText.h"

namespace {

// One pass over text: every occurrence of needle, left to right, becomes replacement.
std::string replaceAll(std::string_view text, std::string_view needle, std::string_view replacement) {
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, from)) {
        result.append(text, from, at - from);
        result.append(replacement);
        from = at + needle.size();
    }
    result.append(text, from);
    return result;
}

std::string withoutWrapper(std::string_view text) {
    return replaceAll(replaceAll(text, album::kCdataOpen, ""), album::kCdataClose, "");
}

// The bytes an address may hold as they are, whatever surrounds it.
bool isUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::string listTextMarkup(std::string_view text) {
    return replaceAll(withoutWrapper(text), "\n", "<BR>");
}

std::string viewerTextMarkup(std::string_view text) {
    // Breaking lines and dropping CR and double quotes touch different characters and add none of
    // them, so one pass does all three.
    const std::string unwrapped = withoutWrapper(text);
    std::string result;
    result.reserve(unwrapped.size() + 16);
    std::size_t from = 0;
    for (std::size_t at = 0; at < unwrapped.size(); ++at) {
        const char c = unwrapped[at];
        if (c != '\n' && c != '\r' && c != '"')
            continue;
        result.append(unwrapped, from, at - from);
        if (c == '\n')
            result += "<BR>";
        from = at + 1;
    }
    result.append(unwrapped, from);
    return result;
}

std::string scriptString(std::string_view text) {
    constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";
    constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";
    std::string result;
    result.reserve(text.size() + 16);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::string_view rest = text.substr(at);
        switch (text[at]) {
        case '\\':
            result += "\\\\";
            break;
        case '"':
            result += "\\\"";
            break;
        case '\'':
            result += "\\'";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\n':
            result += "\\n";
            break;
        case '<':
            // The script element ends at "</"; after "<!--" a "<script" would keep it from ending.
            result += rest.starts_with("</") || rest.starts_with("<!--") ? "<\\" : "<";
            break;
        default:
            if (rest.starts_with(kLineSeparator) || rest.starts_with(kParagraphSeparator)) {
                // Older script engines end a string at these two, as at a line break.
                result += rest.starts_with(kLineSeparator) ? "\\u2028" : "\\u2029";
                at += kLineSeparator.size() - 1;
            } else {
                result += text[at];
            }
        }
    }
    return result;
}

std::string htmlText(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 16);
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&#34;";
            break;
        case '\'':
            result += "&#39;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string pictureAddress(std::string_view name) {
    if (!isPlainFileName(name))
        return {};
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(name.size() + 8);
    for (const char c : name) {
        if (isUnreserved(c)) {
            result += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        }
    }
    return result;
}
