#pragma once
// Small text helpers shared by the libraries above the document; all work on bytes.

#include <string>
#include <string_view>

// The text with every occurrence of from, left to right, replaced by to; one pass, so the time
// grows with the text's length, whatever the number of replacements.
inline std::string replacedAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (auto pos = text.find(from); pos != std::string_view::npos; pos = text.find(from, done)) {
        out.append(text.substr(done, pos - done));
        out.append(to);
        done = pos + from.size();
    }
    out.append(text.substr(done));
    return out;
}

// Replaces every occurrence of from, left to right, without rescanning what was put in.
inline void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty() || text.find(from) == std::string::npos)
        return;
    text = replacedAll(text, from, to);
}

// The text without the blanks at its two ends (only the space character counts as a blank).
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text with A to Z as a to z; every other byte as it is.
inline std::string asciiLowerCased(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}
