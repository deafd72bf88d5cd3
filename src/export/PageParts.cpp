#include "PageParts.h"

#include "TextConversion.h"

namespace {

constexpr const char* kCrLf = "\r\n";

// The album's bytes go into the page as they are, so the page says how to read them before anything
// else: a page served without a character set would otherwise show the names garbled.
//
// The page is laid out for the screen's own width: a phone would otherwise lay it out as a desktop
// page and shrink it to a third, text and all. The rules keep it within that width, and leave a
// desktop screen's page as it always looked. The viewer's picture shrinks, keeping its shape, to its
// column and to the window's height, so that Previous and Next stay on screen under it. On a narrow
// screen the viewer's caption stands above the picture instead of beside it, long words break, and
// the small print grows to a readable size.
const std::string kDocumentOpening =
    "<html><head><meta charset=\"utf-8\">"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
    "<style>\r\n"
    "#mainImage { max-width: 100%; max-height: calc(100vh - 100px); }\r\n"
    "@media (max-width: 640px) {\r\n"
    " td[width=\"250\"], td[width=\"250\"] ~ td { display: block; width: auto; }\r\n"
    " td { overflow-wrap: anywhere; }\r\n"
    " font[size=\"1\"] { font-size: 12px; }\r\n"
    "}\r\n"
    "</style>\r\n"
    "<title>";

} // namespace

std::string BuildHtmlTitle(const std::string& title, const Storybook& album) {
    if (!title.empty())
        return kDocumentOpening + "Storybook: " + htmlText(title) + "</title>";
    // The names are not tested: with both empty the ", " stands alone.
    return kDocumentOpening + "Photo Album: " + htmlText(album.strNeighborhoodName) + ", " +
           htmlText(album.strFamilyName) + "</title>";
}

std::string BuildPopupScript() {
    return "<script language=\"JavaScript1.2\">\r\n"
           "function OpenBrWindow(theURL,winName, myWidth, myHeight) { //v3.0\r\n"
           "features='toolbar=no,location=no,status=no,menubar=no,scrollbars=no,resizable=no';\r\n"
           "if(window.screen){\r\n"
           "var myLeft = (screen.width-myWidth)/2;\r\n"
           "var myTop = (screen.height-myHeight)/2;\r\n"
           "features+=(features!='')?',':'';\r\n"
           "features+=',left='+myLeft+',top='+myTop;\r\n"
           "}\r\n"
           "window.open(theURL,winName,features+((features!='')?',':'')+'width='+myWidth+',height='+myHeight)"
           ";\r\n"
           "}\r\n"
           "</script>";
}

std::string BuildBodyHeader(const std::string& title, const Storybook& album) {
    const std::string family = htmlText(album.strFamilyName);
    const std::string neighborhood = htmlText(album.strNeighborhoodName);
    std::string piece = "</head>\r\n"
                        "<body bgcolor=#CCD4E1 text=black link=navy vlink=navy alink=blue "
                        "style=\"font-Family: Verdana;\">\r\n"
                        "\r\n";
    if (!title.empty()) {
        piece += "<center><h3>&#34;" + htmlText(title) + "&#34;</h3>";
        if (!family.empty())
            piece += "<h4>the story of the<BR>" + family + " family</h4></center>";
        else
            piece += "</center>";
        piece += kCrLf;
        return piece;
    }
    piece += "<center><h3>Photo Album";
    if (!family.empty())
        piece += " for the " + family + " family";
    if (!family.empty() && !neighborhood.empty())
        piece += "<BR><i>living in</i>";
    if (!neighborhood.empty())
        piece += "<BR>The " + neighborhood + " Neighborhood";
    piece += "</h3></center>";
    return piece;
}

std::string BuildViewerBodyHeader(const std::string& title, const Storybook& album) {
    std::string piece = "</head>\r\n"
                        "<body bgcolor=#FFFFFF text=black link=navy vlink=navy alink=blue "
                        "style=\"font-Family: Verdana;\">\r\n"
                        "\r\n";
    if (!title.empty()) {
        piece += "<center><h3>&#34;" + htmlText(title) + "&#34;</h3></center>\r\n";
        return piece;
    }
    piece += "<center><h3>Photo Album";
    if (!album.strFamilyName.empty())
        piece += " for the " + htmlText(album.strFamilyName) + " family";
    else if (!album.strNeighborhoodName.empty())
        piece += " for the " + htmlText(album.strNeighborhoodName) + " Neighborhood";
    piece += "</h3></center>";
    return piece;
}
