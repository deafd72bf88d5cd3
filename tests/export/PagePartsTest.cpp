#include "export/PageParts.h"

#include "ExportAlbums.h"

#include <gtest/gtest.h>

namespace {

const std::string kListBodyStart =
    "</head>\r\n<body bgcolor=#CCD4E1 text=black link=navy vlink=navy alink=blue "
    "style=\"font-Family: Verdana;\">\r\n\r\n";
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
    {"Days", "Goth", "Pleasantview", "<html><head><title>Storybook: Days</title>",
     "<center><h3>&#34;Days&#34;</h3><h4>the story of the<BR>Goth family</h4></center>\r\n",
     "<center><h3>&#34;Days&#34;</h3></center>\r\n"},
    {"Days", "", "Pleasantview", "<html><head><title>Storybook: Days</title>",
     "<center><h3>&#34;Days&#34;</h3></center>\r\n", "<center><h3>&#34;Days&#34;</h3></center>\r\n"},
    // A title of one blank is a title.
    {" ", "", "", "<html><head><title>Storybook:  </title>", "<center><h3>&#34; &#34;</h3></center>\r\n",
     "<center><h3>&#34; &#34;</h3></center>\r\n"},
    {"", "Goth", "Pleasantview", "<html><head><title>Photo Album: Pleasantview, Goth</title>",
     "<center><h3>Photo Album for the Goth family<BR><i>living in</i><BR>The Pleasantview "
     "Neighborhood</h3></center>",
     "<center><h3>Photo Album for the Goth family</h3></center>"},
    {"", "Goth", "", "<html><head><title>Photo Album: , Goth</title>",
     "<center><h3>Photo Album for the Goth family</h3></center>",
     "<center><h3>Photo Album for the Goth family</h3></center>"},
    {"", "", "Pleasantview", "<html><head><title>Photo Album: Pleasantview, </title>",
     "<center><h3>Photo Album<BR>The Pleasantview Neighborhood</h3></center>",
     "<center><h3>Photo Album for the Pleasantview Neighborhood</h3></center>"},
    {"", "", "", "<html><head><title>Photo Album: , </title>", "<center><h3>Photo Album</h3></center>",
     "<center><h3>Photo Album</h3></center>"},
    // Markup in the names goes in as it is.
    {"A<b> & \"B\"", "<i>G</i>", "", "<html><head><title>Storybook: A<b> & \"B\"</title>",
     "<center><h3>&#34;A<b> & \"B\"&#34;</h3><h4>the story of the<BR><i>G</i> family</h4></center>\r\n",
     "<center><h3>&#34;A<b> & \"B\"&#34;</h3></center>\r\n"},
    {"", "<i>G</i>", "N&M", "<html><head><title>Photo Album: N&M, <i>G</i></title>",
     "<center><h3>Photo Album for the <i>G</i> family<BR><i>living in</i><BR>The N&M "
     "Neighborhood</h3></center>",
     "<center><h3>Photo Album for the <i>G</i> family</h3></center>"},
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
