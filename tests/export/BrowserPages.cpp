// Writes the pages that the browser test opens into the folder given as the only argument, with a
// small image under every plain snapshot and thumbnail name, and prints what it wrote as JSON.

#include "ExportAlbums.h"
#include "document/FileNames.h"
#include "export/HtmlExport.h"

#include <cstdio>
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
    {"snapshot_b0000001_0003.jpg", "stop </script><script>alert(7)</script> here"},
    {"snapshot_b0000001_0004.jpg", "it's \\n fine"},
    {"snapshot_b0000001_0005.jpg", "Last page"},
};

const std::vector<TestPage> kListPages = {
    {"snapshot_c0000002_0001.jpg", "One \"quoted\" <i>line</i>"},
    {"snapshot_c0000002_0002.jpg", "Two\r\nlines"},
    {"snapshot_c0000002_0003.jpg", "Three & 'more'"},
};

struct HostileAlbum {
    const char* key;
    AlbumNames names;
    std::vector<TestPage> pages;
};

const std::string kLineSeparator = "\xE2\x80\xA8";
const std::string kParagraphSeparator = "\xE2\x80\xA9";

// Album data that must show as written and must not break a page or run a script of its own. The
// stories carry no markup, so the test can compare the text each page shows with them.
const std::vector<HostileAlbum> kHostileAlbums = {
    {"apostrophes",
     {"Tom & Jerry", "O'Brien", "Sim's \"Town\"", "The O'Brien place"},
     {{"snapshot_d0000001_0001.jpg", "O'Brien's first"},
      {"snapshot_d0000001_0002.jpg", "it's O'Brien\\'s"},
      {"snapshot_d0000001_0003.jpg", "third 'page'"}}},
    {"quotes",
     {"Say \"cheese\" \\ or \\n '", "M\xC3\xBCller", "\xC3\x85sa & <Co>", "Caf\xC3\xA9 \"Z\""},
     {{"snapshot_d0000002_0001.jpg", "Gr\xC3\xBC\xC3\x9F"
                                     "e"},
      {"snapshot_d0000002_0002.jpg", "\\\" and \\\\"},
      {"snapshot_d0000002_0003.jpg", "end"}}},
    {"markup",
     {"", "<b>Bold</b>'s", "<img src=x onerror=alert(2)>", "</script><script>alert(1)</script>"},
     {{"snapshot_d0000003_0001.jpg", "one"},
      {"snapshot_d0000003_0002.jpg", "two"},
      {"snapshot_d0000003_0003.jpg", "three"}}},
    {"stories",
     {"Stories", "Goth", "Pleasantview", "Goth Manor"},
     {{"snapshot_d0000004_0001.jpg",
       "line" + kLineSeparator + "separated" + kParagraphSeparator + "paragraph"},
      {"snapshot_d0000004_0002.jpg", "\"); alert(4); (\" and '); alert(5); //"},
      {"snapshot_d0000004_0003.jpg", "back\\'); alert(6); // \\"}}},
    {"names",
     {"Names", "Goth", "", ""},
     {{"snapshot_a b.jpg", "a blank"},
      {"snapshot_#2 100%.jpg", "hash and percent"},
      {"../snapshot_outside.jpg", "out of the folder"},
      {"snapshot_what?.jpg", "question mark"},
      {"javascript:alert(8).jpg", "a scheme"}}},
};

std::string jsonString(std::string_view text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}

std::string pagesJson(const Storybook& album) {
    std::string json = "[";
    for (int i = 0; i < album.varPageCount; ++i) {
        json += i ? "," : "";
        const std::string_view text = album.content(i, album::Text);
        json += "{\"snapshot\":" + jsonString(album.content(i, album::Snapshot)) +
                ",\"thumbnail\":" + jsonString(album.content(i, album::ThumbnailFilename)) +
                ",\"text\":" + jsonString(text.substr(9, text.size() - 12)) + "}";
    }
    return json + "]";
}

// Names that are not plain are left alone: the page must not reach them.
bool writeImages(const std::string& folder, const Storybook& album) {
    for (int i = 0; i < album.varPageCount; ++i) {
        for (int field : {album::Snapshot, album::ThumbnailFilename}) {
            const std::string_view name = album.content(i, field);
            if (!isPlainFileName(name))
                continue;
            std::ofstream out(folder + "/" + std::string(name), std::ios::binary);
            out.write(reinterpret_cast<const char*>(kTinyImage), sizeof kTinyImage);
            if (!out)
                return false;
        }
    }
    return true;
}

bool exportPage(const std::string& folder, const std::string& name, const Storybook& album,
                const char* templateName) {
    const FileResult result = ExportStorybookHtml(album, folder + "/" + name, templateName);
    if (!result.ok || !writeImages(folder, album)) {
        std::cerr << name << ": " << result.error << "\n";
        return false;
    }
    return true;
}

bool exportHostileAlbums(const std::string& folder, std::string& json) {
    json += ",\"hostile\":[";
    for (const HostileAlbum& hostile : kHostileAlbums) {
        const auto album = makeAlbum(hostile.names, hostile.pages);
        const std::string prefix = std::string("hostile_") + hostile.key;
        if (!exportPage(folder, prefix + "_viewer.html", *album, webtemplate::kAdvancedViewer) ||
            !exportPage(folder, prefix + "_popup.html", *album, webtemplate::kPopup) ||
            !exportPage(folder, prefix + "_static.html", *album, webtemplate::kStaticLinear))
            return false;
        json += &hostile == &kHostileAlbums.front() ? "{" : ",{";
        json += "\"key\":" + jsonString(hostile.key) + ",\"title\":" + jsonString(hostile.names.title) +
                ",\"family\":" + jsonString(hostile.names.family) +
                ",\"neighborhood\":" + jsonString(hostile.names.neighborhood) +
                ",\"lot\":" + jsonString(hostile.names.lot) + ",\"pages\":" + pagesJson(*album) +
                ",\"files\":{\"viewer\":\"" + prefix + "_viewer.html\",\"popup\":\"" + prefix +
                "_popup.html\",\"static\":\"" + prefix + "_static.html\"}}";
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
    const bool ok = exportPage(folder, "viewer.html", *viewerAlbum, webtemplate::kAdvancedViewer) &&
                    exportPage(folder, "viewer_empty.html", *emptyAlbum, webtemplate::kAdvancedViewer) &&
                    exportPage(folder, "popup.html", *listAlbum, webtemplate::kPopup) &&
                    exportPage(folder, "static.html", *listAlbum, webtemplate::kStaticLinear);
    std::string json = "{\"viewer.html\":" + pagesJson(*viewerAlbum) +
                       ",\"popup.html\":" + pagesJson(*listAlbum) +
                       ",\"static.html\":" + pagesJson(*listAlbum);
    if (!ok || !exportHostileAlbums(folder, json))
        return 1;
    std::cout << json << "}\n";
    return 0;
}
