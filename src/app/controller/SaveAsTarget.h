#pragma once
// The Save As rules: what the name and filter chosen in the Save dialog ask for, the name the
// dialog suggests, and whether the new place is the album's own folder.

#include <string>

enum class SaveAsAction { SaveXml, ExportHtml };

struct SaveAsTarget {
    SaveAsAction action = SaveAsAction::SaveXml;
    std::string templateName;
    std::string path;
    bool renamed = false; // the program added to the name the user chose
    bool operator==(const SaveAsTarget&) const = default;
};

// The first rule that fits the chosen name and the filter's index (1 to 4, 0 none) wins.
SaveAsTarget saveAsTarget(const std::string& chosen, int filterIndex);
// The album's file name without its ".xml" and ".html", as the dialog first offers it.
std::string suggestedSaveAsName(const std::string& albumFile);
// The same folder as the file system sees it: a link or "./" names the folder it leads to, while
// names differing only in letter case are different folders.
bool sameFolder(const std::string& one, const std::string& other);
