// Writes the album that the layout test opens into the folder given first: eight pages with the
// sample album's 1024x768 snapshots and their thumbnails, the fifth page's picture missing, and the
// stories given after the folder, one a page. Writes static.html, popup.html and viewer.html beside
// the pictures and prints the snapshot names, one a line.

#include "ExportAlbums.h"
#include "export/HtmlExport.h"

#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;

const char* const kSnapshots[] = {
    "snapshot_4c1e9b07_00000001.jpg", "snapshot_4c1e9b07_00000002.jpg", "snapshot_4c1e9b07_00000003.jpg",
    "snapshot_4c1e9b07_00000004.jpg", "snapshot_4c1e9b07_00000099.jpg", "snapshot_4c1e9b07_00000005.jpg",
    "snapshot_4c1e9b07_00000007.jpg", "snapshot_7a2f3d16_00000001.jpg",
};
constexpr int kPageCount = std::size(kSnapshots);
constexpr int kMissingPage = 4;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 + kPageCount) {
        std::cerr << "usage: export_layout_pages FOLDER STORY1 ... STORY" << kPageCount << "\n";
        return 2;
    }
    const fs::path folder = argv[1];
    std::vector<TestPage> pages;
    for (int i = 0; i < kPageCount; ++i)
        pages.push_back({kSnapshots[i], argv[2 + i]});
    const auto album =
        makeAlbum({"The Hawthornes of Willow Lane", "Hawthorne", "Maple Hollow", "Willow Lane 4"}, pages);
    const std::pair<const char*, const char*> files[] = {{"static.html", webtemplate::kStaticLinear},
                                                         {"popup.html", webtemplate::kPopup},
                                                         {"viewer.html", webtemplate::kAdvancedViewer}};
    for (const auto& [name, templateName] : files) {
        const FileResult result = ExportStorybookHtml(*album, (folder / name).string(), templateName);
        if (!result.ok) {
            std::cerr << name << ": " << result.error << "\n";
            return 1;
        }
    }
    std::error_code error;
    for (int i = 0; i < kPageCount && !error; ++i) {
        const std::string snapshot = kSnapshots[i];
        std::cout << snapshot << "\n";
        if (i == kMissingPage)
            continue;
        for (const std::string& name : {snapshot, "thumbnail_" + snapshot.substr(9)})
            fs::copy_file(fs::path(BRINDLECOVE_SAMPLES_DIR) / name, folder / name, error);
    }
    if (error) {
        std::cerr << "the sample pictures could not be copied: " << error.message() << "\n";
        return 1;
    }
    return 0;
}
