#include "export/PageParts.h"

#include "ExportAlbums.h"

#include <gtest/gtest.h>

namespace {

const std::string kListBodyStart =
    "</head>\r\n<body bgcolor=#CCD4E1 text=black link=navy vlink=navy alink=blue "
    "style=\"font-Family: Verdana;\">\r\n\r\n";
const std::string kOpening = "<html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
                             "content=\"width=device-width, initial-scale=1\">\r\n"
                             "<style>\r\n"
                             "#mainImage { max-width: 100%; max-height: calc(100vh - 100px); }\r\n"
                             "@media (max-width: 640px) {\r\n"
                             " td[width=\"250\"], td[width=\"250\"] ~ td { display: block; width: auto; }\r\n"
                             " td { overflow-wrap: anywhere; }\r\n"
                             " font[size=\"1\"] { font-size: 12px; }\r\n"
                             "}\r\n"
                             "</style>\r\n"
                             "<title>";
const std::string kViewerBodyStart =
    "</head>\r\n<body bgcolor=#FFFFFF text=black link=navy vlink=navy alink=blue "
    "style=\"font-Family: Verdana;\">\r\n\r\n";

struct HeadingCase {
    std::string title;
    std::string family;
    std::string neighborhood;
    std::string htmlTitle;
    std::string listHeading;   // after kListBodyStart
    std::string viewerHeading; // after kViewerBodyStart
};

void PrintTo(const HeadingCase& c, std::ostream* out) {
    *out << "title \"" << c.title << "\", family \"" << c.family << "\", neighborhood \"" << c.neighborhood
         << "\"";
}

const HeadingCase kHeadingCases[] = {
    {"Days", "Goth", "Pleasantview", kOpening + "Storybook: Days</title>",
     "<center><h3>&#34;Days&#34;</h3><h4>the story of the<BR>Goth family</h4></center>\r\n",
     "<center><h3>&#34;Days&#34;</h3></center>\r\n"},
    {"Days", "", "Pleasantview", kOpening + "Storybook: Days</title>",
     "<center><h3>&#34;Days&#34;</h3></center>\r\n", "<center><h3>&#34;Days&#34;</h3></center>\r\n"},
    // A title of one blank is a title.
    {" ", "", "", kOpening + "Storybook:  </title>", "<center><h3>&#34; &#34;</h3></center>\r\n",
     "<center><h3>&#34; &#34;</h3></center>\r\n"},
    {"", "Goth", "Pleasantview", kOpening + "Photo Album: Pleasantview, Goth</title>",
     "<center><h3>Photo Album for the Goth family<BR><i>living in</i><BR>The Pleasantview "
     "Neighborhood</h3></center>",
     "<center><h3>Photo Album for the Goth family</h3></center>"},
    {"", "Goth", "", kOpening + "Photo Album: , Goth</title>",
     "<center><h3>Photo Album for the Goth family</h3></center>",
     "<center><h3>Photo Album for the Goth family</h3></center>"},
    {"", "", "Pleasantview", kOpening + "Photo Album: Pleasantview, </title>",
     "<center><h3>Photo Album<BR>The Pleasantview Neighborhood</h3></center>",
     "<center><h3>Photo Album for the Pleasantview Neighborhood</h3></center>"},
    {"", "", "", kOpening + "Photo Album: , </title>", "<center><h3>Photo Album</h3></center>",
     "<center><h3>Photo Album</h3></center>"},
    // Names and titles are text: markup in them shows as typed.
    {"A<b> & \"B\" 'C'", "<i>G</i>", "",
     kOpening + "Storybook: A&lt;b&gt; &amp; &#34;B&#34; &#39;C&#39;</title>",
     "<center><h3>&#34;A&lt;b&gt; &amp; &#34;B&#34; &#39;C&#39;&#34;</h3><h4>the story of "
     "the<BR>&lt;i&gt;G&lt;/i&gt; "
     "family</h4></center>\r\n",
     "<center><h3>&#34;A&lt;b&gt; &amp; &#34;B&#34; &#39;C&#39;&#34;</h3></center>\r\n"},
    {"", "<i>G</i>", "N&M", kOpening + "Photo Album: N&amp;M, &lt;i&gt;G&lt;/i&gt;</title>",
     "<center><h3>Photo Album for the &lt;i&gt;G&lt;/i&gt; family<BR><i>living in</i><BR>The N&amp;M "
     "Neighborhood</h3></center>",
     "<center><h3>Photo Album for the &lt;i&gt;G&lt;/i&gt; family</h3></center>"},
    {"", "", "M\xC3\xBCller's", kOpening + "Photo Album: M\xC3\xBCller&#39;s, </title>",
     "<center><h3>Photo Album<BR>The M\xC3\xBCller&#39;s Neighborhood</h3></center>",
     "<center><h3>Photo Album for the M\xC3\xBCller&#39;s Neighborhood</h3></center>"},
};

class Headings : public testing::TestWithParam<HeadingCase> {};

TEST_P(Headings, TitleAndBothBodyHeaders) {
    const HeadingCase& c = GetParam();
    auto album = makeAlbum({c.title, c.family, c.neighborhood, "Lot"}, {});
    EXPECT_EQ(BuildHtmlTitle(c.title, *album), c.htmlTitle);
    EXPECT_EQ(BuildBodyHeader(c.title, *album), kListBodyStart + c.listHeading);
    EXPECT_EQ(BuildViewerBodyHeader(c.title, *album), kViewerBodyStart + c.viewerHeading);
}

INSTANTIATE_TEST_SUITE_P(Names, Headings, testing::ValuesIn(kHeadingCases));

} // namespace
