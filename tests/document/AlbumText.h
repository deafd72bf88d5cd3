#pragma once
// Builds album files in the game's layout for tests: the fixed head and footer around entries.

#include <string>
#include <vector>

struct PageText {
    std::string title;    // inside the CDATA wrapper
    std::string snapshot; // e.g. "snapshot_4c1e9b07_00000001.jpg"
    std::string story;    // lines separated by LF; written over several file lines
    std::string resourceId = "0x00000001";
    std::string timeStamp = "3/14/2026 18:22:41";
};

struct AlbumText {
    std::string family = "Hawthorne";
    std::string neighborhood = "Pleasantview";
    std::string lot = "Willow Lane";
    std::string title = "Our Summer";
    std::vector<PageText> pages;
    std::vector<std::string> keywords; // empty: the one-line "<KeywordList/>"
    std::string lineEnd = "\n";
    bool finalLineEnd = false;

    std::vector<std::string> lines() const;
    std::string bytes() const;
};

std::string entryLines(const PageText& page, const std::string& lineEnd);
