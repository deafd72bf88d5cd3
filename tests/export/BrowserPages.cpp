// Writes the pages that the browser test opens into the folder given as the only argument, with a
// small image under every snapshot and thumbnail name, and prints what it wrote as JSON.

#include "ExportAlbums.h"
#include "export/HtmlExport.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// A 1 by 1 pixel GIF: browsers sniff the bytes, so the .jpg names load it as an image.
const unsigned char kTinyImage[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                    0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04,
                                    0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                    0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

// The viewer's captions; the browser test knows what each must show.
const std::vector<TestPage> kViewerPages = {
    {"snapshot_b0000001_0001.jpg", "First \"line\"\r\nwith <b>bold</b> & more"},
    {"snapshot_b0000001_0002.jpg", "ends in a backslash \\"},
    {"snapshot_b0000001_0003.jpg", "stop </script> here"},
    {"snapshot_b0000001_0004.jpg", "it's \\n fine"},
    {"snapshot_b0000001_0005.jpg", "Last page"},
};

const std::vector<TestPage> kListPages = {
    {"snapshot_c0000002_0001.jpg", "One \"quoted\" <i>line</i>"},
    {"snapshot_c0000002_0002.jpg", "Two\r\nlines"},
    {"snapshot_c0000002_0003.jpg", "Three & 'more'"},
};

bool writeImages(const std::string& folder, const Storybook& album) {
    for (int i = 0; i < album.varPageCount; ++i) {
        for (int field : {album::Snapshot, album::ThumbnailFilename}) {
            std::ofstream out(folder + "/" + std::string(album.content(i, field)), std::ios::binary);
            out.write(reinterpret_cast<const char*>(kTinyImage), sizeof kTinyImage);
            if (!out)
                return false;
        }
    }
    return true;
}

bool exportPage(const std::string& folder, const std::string& name, const Storybook& album,
                const char* templateName, std::string& json) {
    const FileResult result = ExportStorybookHtml(album, folder + "/" + name, templateName);
    if (!result.ok || !writeImages(folder, album)) {
        std::cerr << name << ": " << result.error << "\n";
        return false;
    }
    json += json.empty() ? "{" : ",";
    json += "\"" + name + "\":[";
    for (int i = 0; i < album.varPageCount; ++i) {
        json += i ? "," : "";
        json += "{\"snapshot\":\"" + std::string(album.content(i, album::Snapshot)) + "\",\"thumbnail\":\"" +
                std::string(album.content(i, album::ThumbnailFilename)) + "\"}";
    }
    json += "]";
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: export_browser_pages FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const AlbumNames names{"Browser test", "Goth", "Pleasantview", "Goth Manor"};
    const auto viewerAlbum = makeAlbum(names, kViewerPages);
    const auto listAlbum = makeAlbum(names, kListPages);
    const auto emptyAlbum = makeAlbum(names, {});
    std::string json;
    const bool ok =
        exportPage(folder, "viewer.html", *viewerAlbum, webtemplate::kAdvancedViewer, json) &&
        exportPage(folder, "viewer_empty.html", *emptyAlbum, webtemplate::kAdvancedViewer, json) &&
        exportPage(folder, "popup.html", *listAlbum, webtemplate::kPopup, json) &&
        exportPage(folder, "static.html", *listAlbum, webtemplate::kStaticLinear, json);
    if (!ok)
        return 1;
    std::cout << json << "}\n";
    return 0;
}
