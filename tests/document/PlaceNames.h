#pragma once
// Folder and file names as a file system may hold them: UTF-8 beyond ASCII and, where names are
// bytes (POSIX), bytes that are no UTF-8 at all, which Qt cannot name.

#include <string>
#include <vector>

struct PlaceName {
    const char* what;
    std::string folder;
    std::string file;
};

inline std::vector<PlaceName> placeNames() {
    std::vector<PlaceName> names = {
        {"UTF-8 beyond ASCII", "\xC3\x89t\xC3\xA9 \xE5\x86\x99\xE7\x9C\x9F", "Album \xC3\x9F.xml"}};
#ifndef _WIN32
    names.push_back({"Latin-1 folder", "caf\xE9", "Storybook.xml"});
    names.push_back({"Latin-1 file", "plain", "alb\xE9.xml"});
    names.push_back({"lone 0xFF in both", "\xFF", "\xFF.xml"});
    names.push_back({"UTF-8 cut short in both", "nonutf\xC3", "alb\xE2\x82.xml"});
#endif
    return names;
}
