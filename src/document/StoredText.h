#pragma once
// How texts are kept in the album model: a title or story content sits in a CDATA section, and a
// line break inside a story is held as a mark until its line is written. The rules live here once.

#include "TextUtil.h"

#include <string>
#include <string_view>

namespace album {
inline constexpr std::string_view kCdataOpen = "<![CDATA[";
inline constexpr std::string_view kCdataClose = "]]>";
// A "]]>" in a text is written as the standard split of its section, so the file stays XML.
inline constexpr std::string_view kCdataSplit = "]]]]><![CDATA[>";
inline constexpr std::string_view kLineBreakMark = "{vbcrlf}";
} // namespace album

// A typed text as a content: wrapped in a CDATA section, any "]]>" written as the split.
inline std::string wrapInCdata(std::string_view text) {
    return std::string(album::kCdataOpen) + replacedAll(std::string(text), "]]>", album::kCdataSplit) +
           std::string(album::kCdataClose);
}

// The text of a wrapped content, the split joined again; empty for a content too short to be wrapped.
inline std::string unwrapCdata(std::string_view content) {
    const std::size_t wrapper = album::kCdataOpen.size() + album::kCdataClose.size();
    if (content.size() <= wrapper)
        return {};
    return replacedAll(std::string(content.substr(album::kCdataOpen.size(), content.size() - wrapper)),
                       album::kCdataSplit, "]]>");
}

// Appends text with each line-break mark written as lineBreak.
inline void appendExpandingLineBreaks(std::string& out, std::string_view text, std::string_view lineBreak) {
    std::size_t from = 0;
    for (auto mark = text.find(album::kLineBreakMark); mark != std::string_view::npos;
         mark = text.find(album::kLineBreakMark, from)) {
        out.append(text.substr(from, mark - from));
        out.append(lineBreak);
        from = mark + album::kLineBreakMark.size();
    }
    out.append(text.substr(from));
}
