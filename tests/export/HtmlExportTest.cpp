#include "export/HtmlExport.h"

#include "ExportAlbums.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        do
            m_path = fs::temp_directory_path() / ("brindlecove-export-" + std::to_string(random()));
        while (!fs::create_directory(m_path));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& entry : fs::directory_iterator(m_path))
            result.push_back(entry.path().filename().string());
        std::sort(result.begin(), result.end());
        return result;
    }

private:
    fs::path m_path;
};

struct FixtureCase {
    const char* fixture;
    std::function<std::unique_ptr<Storybook>()> album;
    const char* templateName;
};

std::unique_ptr<Storybook> untitledWithoutPages() {
    return makeAlbum({}, {});
}

std::unique_ptr<Storybook> familyOnlyWithoutPages() {
    return makeAlbum({"", "Goth", "", ""}, {});
}

std::unique_ptr<Storybook> neighborhoodOnlyWithoutPages() {
    return makeAlbum({"", "", "Pleasantview", ""}, {});
}

void PrintTo(const FixtureCase& c, std::ostream* out) {
    *out << c.fixture;
}

const FixtureCase kFixtureCases[] = {
    {"static_titled_two_pages.html", makeTwoPageAlbum, webtemplate::kStaticLinear},
    {"popup_titled_two_pages.html", makeTwoPageAlbum, webtemplate::kPopup},
    {"viewer_titled_two_pages.html", makeTwoPageAlbum, webtemplate::kAdvancedViewer},
    {"static_untitled_no_pages_unknown_template.html", untitledWithoutPages, "static html linear"},
    {"popup_untitled_no_pages_family_only.html", familyOnlyWithoutPages, webtemplate::kPopup},
    {"viewer_untitled_no_pages_neighborhood_only.html", neighborhoodOnlyWithoutPages,
     webtemplate::kAdvancedViewer},
};

class ExpectedPage : public testing::TestWithParam<FixtureCase> {};

TEST_P(ExpectedPage, ExportMatchesTheHandWrittenPageByteForByte) {
    const FixtureCase& c = GetParam();
    const fs::path expectedPath = fs::path(BRINDLECOVE_FIXTURES) / "export" / c.fixture;
    const std::string expected = readBytes(expectedPath);
    ASSERT_FALSE(expected.empty()) << "missing fixture " << expectedPath;

    ScratchFolder folder;
    const fs::path target = folder.path() / "album.html";
    const FileResult result = ExportStorybookHtml(*c.album(), target.string(), c.templateName);
    ASSERT_TRUE(result.ok) << result.error;
    const std::string written = readBytes(target);
    if (written != expected) {
        std::size_t at = 0;
        while (at < written.size() && at < expected.size() && written[at] == expected[at])
            ++at;
        FAIL() << c.fixture << " differs from byte " << at << ": written \"" << written.substr(at, 60)
               << "\", expected \"" << expected.substr(at, 60) << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, ExpectedPage, testing::ValuesIn(kFixtureCases), [](const auto& info) {
    std::string name = info.param.fixture;
    return name.substr(0, name.find('.'));
});

TEST(TemplateChoice, AnyOtherNameGivesTheStaticLayoutAndIsNamedInTheFooter) {
    auto album = makeTwoPageAlbum();
    const std::string staticPage = BuildExportPage(*album, webtemplate::kStaticLinear);
    const std::string staticLine = "<p>Web Templage: Static HTML Linear<P>&nbsp;";
    ASSERT_NE(staticPage.find(staticLine), std::string::npos);
    for (const std::string name : {"", "static html linear", "javascript html popup",
                                   "CSS/JS Advanced Viewer ", "Other <b>template</b>"}) {
        std::string expected = staticPage;
        expected.replace(expected.find(staticLine), staticLine.size(),
                         "<p>Web Templage: " + name + "<P>&nbsp;");
        EXPECT_EQ(BuildExportPage(*album, name), expected) << "template \"" << name << "\"";
    }
}

TEST(PageRows, NumbersCountFromOneInDecimal) {
    std::vector<TestPage> pages;
    for (int i = 1; i <= 10; ++i)
        pages.push_back({"snapshot_00000000_" + std::to_string(i) + ".jpg", "text"});
    auto album = makeAlbum({"T", "", "", ""}, pages);
    for (const char* name : {webtemplate::kStaticLinear, webtemplate::kPopup}) {
        const std::string page = BuildExportPage(*album, name);
        EXPECT_NE(page.find("<i>page <b>1</b></i> &nbsp\r\n"), std::string::npos) << name;
        EXPECT_NE(page.find("<i>page <b>10</b></i> &nbsp\r\n"), std::string::npos) << name;
        EXPECT_EQ(page.find("<i>page <b>11</b>"), std::string::npos) << name;
        EXPECT_EQ(page.find("<i>page <b>0</b>"), std::string::npos) << name;
    }
}

TEST(FooterItems, OnlyTheNamesThatAreSetInFixedOrder) {
    const std::string listStart = "<table border=00 cellpadding=0 cellspacing=0><tr><td><UL>";
    const std::string listEnd = "</UL></td></tr></table>";
    const std::pair<AlbumNames, std::string> cases[] = {
        {{"", "", "", ""}, ""},
        {{"", "Goth", "Pleasantview", "Manor"},
         "<li>Family Name: Goth<li>Neighborhood Name: Pleasantview<li>Lot Name: Manor"},
        {{" ", "", "", " "}, "<li>Storybook Title:  <li>Lot Name:  "},
        {{"T", "F", "N", "L"},
         "<li>Family Name: F<li>Storybook Title: T<li>Neighborhood Name: N<li>Lot Name: L"},
        {{"", "O'Brien", "", "</script><script>alert(1)</script>"},
         "<li>Family Name: O&#39;Brien<li>Lot Name: &lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;"},
    };
    for (const auto& [names, items] : cases) {
        auto album = makeAlbum(names, {});
        for (const char* name : {webtemplate::kStaticLinear, webtemplate::kAdvancedViewer}) {
            const std::string page = BuildExportPage(*album, name);
            EXPECT_NE(page.find(listStart + items + listEnd), std::string::npos) << name << ": " << items;
        }
    }
}

TEST(ViewerPhotoList, StoryTextsThatWouldBreakTheScriptAreEscaped) {
    auto album = makeAlbum({"T", "", "", ""}, {{"snapshot_a.jpg", "back\\"},
                                               {"snapshot_b.jpg", "x</script><b>y</b>"},
                                               {"snapshot_c.jpg", "plain \"quoted\" 'text'\r\nline"}});
    const std::string page = BuildExportPage(*album, webtemplate::kAdvancedViewer);
    EXPECT_NE(page.find("\r\naddPhoto('snapshot_a.jpg',\"back\\\\\");\r\n"), std::string::npos);
    EXPECT_NE(page.find("\r\naddPhoto('snapshot_b.jpg',\"x<\\/script><b>y<\\/b>\");\r\n"), std::string::npos);
    EXPECT_NE(
        page.find(
            "\r\naddPhoto('snapshot_c.jpg',\"plain \\\"quoted\\\" \\'text\\'\\r<BR>line\");\r\n</script>"),
        std::string::npos);
}

// A name that would lead out of the folder is a missing picture: its anchors link nowhere and its
// image has no source. A plain name is percent-encoded wherever it is an address.
TEST(PagePictures, NamesOutOfTheFolderAreMissingOthersAreEncoded) {
    auto album =
        makeAlbum({"T", "", "", ""}, {{"../up/snapshot_a.jpg", "one"}, {"snapshot_b #2%.jpg", "two"}});
    const std::string b = "_b%20%232%25.jpg";
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {webtemplate::kStaticLinear,
         {"<td valign=top><a><img width=128 height=96 border=0></a>", "<font size=1><a>[view]</a>",
          "<a href=\"snapshot" + b + "\"><img src=\"thumbnail" + b + "\" width=128",
          "<font size=1><a href=\"snapshot" + b + "\">[view]</a>"}},
        {webtemplate::kPopup,
         {"<td valign=top><a><img alt=\"Click to enlarge image\"", "<font size=1><a>[popup]</a>",
          "OpenBrWindow('snapshot" + b + "','Snapshot','420','320')\"><img src=\"thumbnail" + b + "\" alt",
          "OpenBrWindow('snapshot" + b + "','Snapshot','420','320')\">[popup]</a>"}},
        {webtemplate::kAdvancedViewer,
         {"\r\naddPhoto('',\"one\");", "\r\naddPhoto('snapshot" + b + "',\"two\");"}},
    };
    for (const auto& [name, fragments] : cases) {
        const std::string page = BuildExportPage(*album, name);
        for (const std::string& fragment : fragments)
            EXPECT_NE(page.find(fragment), std::string::npos) << name << ": " << fragment;
        EXPECT_EQ(page.find("up/"), std::string::npos) << name;
        EXPECT_EQ(page.find(" #2%"), std::string::npos) << name;
    }
}

TEST(ListTexts, AreWrittenWithoutTheScriptEscapes) {
    auto album = makeAlbum({"T", "", "", ""}, {{"snapshot_a.jpg", "back\\ </script>"}});
    const std::string page = BuildExportPage(*album, webtemplate::kStaticLinear);
    EXPECT_NE(page.find("<font face=verdana size=2>back\\ </script></font>"), std::string::npos);
}

TEST(ExportFile, ReplacesAnEarlierPageWhole) {
    ScratchFolder folder;
    const fs::path target = folder.path() / "album.html";
    writeBytes(target, std::string(200000, 'x'));
    auto album = makeTwoPageAlbum();
    ASSERT_TRUE(ExportStorybookHtml(*album, target.string(), "anything").ok);
    EXPECT_EQ(readBytes(target), BuildExportPage(*album, "anything"));
    ASSERT_TRUE(ExportStorybookHtml(*makeAlbum({}, {}), target.string(), webtemplate::kPopup).ok);
    EXPECT_EQ(readBytes(target), BuildExportPage(*makeAlbum({}, {}), webtemplate::kPopup));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"album.html"});
}

TEST(ExportFile, AFailedWriteSaysWhyAndLeavesTheTargetAsItWas) {
    ScratchFolder folder;
    auto album = makeTwoPageAlbum();

    const fs::path missingFolder = folder.path() / "missing" / "album.html";
    FileResult result = ExportStorybookHtml(*album, missingFolder.string(), webtemplate::kPopup);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("could not be written"), std::string::npos) << result.error;

    const fs::path readOnly = folder.path() / "kept.html";
    writeBytes(readOnly, "the user's page");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    result = ExportStorybookHtml(*album, readOnly.string(), webtemplate::kStaticLinear);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("kept.html"), std::string::npos) << result.error;
    EXPECT_EQ(readBytes(readOnly), "the user's page");

    result = ExportStorybookHtml(*album, "", webtemplate::kStaticLinear);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());

    EXPECT_EQ(folder.names(), std::vector<std::string>{"kept.html"}) << "no temporary file is left behind";
}

} // namespace
