#pragma once
// Where a path's folder ends: at the last '/', and on Windows at the last '\' too. Every place that
// splits a path into its folder and its file name asks here.

#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "/\\";
#else
inline constexpr std::string_view kPathSeparators = "/";
#endif

struct PathParts {
    std::string folder; // up to and including the last separator; empty when there is none
    std::string name;   // the rest
};

inline PathParts splitPath(std::string_view path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    return {std::string(path.substr(0, nameStart)), std::string(path.substr(nameStart))};
}
