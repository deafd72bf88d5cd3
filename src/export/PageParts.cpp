#include "PageParts.h"

namespace {

constexpr const char* kCrLf = "\r\n";

} // namespace

std::string BuildHtmlTitle(const std::string& title, const Storybook& album) {
    if (!title.empty())
        return "<html><head><title>Storybook: " + title + "</title>";
    // The names are not tested: with both empty the ", " stands alone.
    return "<html><head><title>Photo Album: " + album.strNeighborhoodName + ", " + album.strFamilyName +
           "</title>";
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
    const std::string& family = album.strFamilyName;
    const std::string& neighborhood = album.strNeighborhoodName;
    std::string piece = "</head>\r\n"
                        "<body bgcolor=#CCD4E1 text=black link=navy vlink=navy alink=blue "
                        "style=\"font-Family: Verdana;\">\r\n"
                        "\r\n";
    if (!title.empty()) {
        piece += "<center><h3>&#34;" + title + "&#34;</h3>";
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
        piece += "<center><h3>&#34;" + title + "&#34;</h3></center>\r\n";
        return piece;
    }
    piece += "<center><h3>Photo Album";
    if (!album.strFamilyName.empty())
        piece += " for the " + album.strFamilyName + " family";
    else if (!album.strNeighborhoodName.empty())
        piece += " for the " + album.strNeighborhoodName + " Neighborhood";
    piece += "</h3></center>";
    return piece;
}
