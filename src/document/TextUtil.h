#pragma once
// Small text helpers shared by the document and the export; all work on bytes.

#include <string>
#include <string_view>

// Replaces every occurrence of from, left to right, without rescanning what was put in.
inline void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty())
        return;
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// The text without the blanks at its two ends (only the space character counts as a blank).
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline std::string replacedAll(std::string text, std::string_view from, std::string_view to) {
    replaceAll(text, from, to);
    return text;
}
