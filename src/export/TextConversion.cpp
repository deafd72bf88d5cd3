#include "TextConversion.h"

#include "document/StoredText.h"

#include <cctype>

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

bool startsScriptEndTag(std::string_view rest) {
    constexpr std::string_view kTag = "</script";
    if (rest.size() < kTag.size())
        return false;
    for (std::size_t i = 0; i < kTag.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(rest[i])) != kTag[i])
            return false;
    }
    return true;
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

std::string scriptStringBody(std::string_view markup) {
    std::string result;
    result.reserve(markup.size() + 8);
    std::size_t from = 0;
    for (std::size_t at = 0; at < markup.size(); ++at) {
        if (markup[at] != '\\' && markup[at] != '<')
            continue;
        const std::string_view rest = markup.substr(at);
        // A backslash is doubled; before "/script" or "!--" one goes in, which the script drops again.
        if (rest[0] == '\\' || startsScriptEndTag(rest) || rest.starts_with("<!--")) {
            result.append(markup, from, at + 1 - from);
            result += '\\';
            from = at + 1;
        }
    }
    result.append(markup, from);
    return result;
}
