#include "HtmlExport.h"

#include "PageParts.h"
#include "TextConversion.h"
#include "ViewerScript.h"

#include <string_view>

namespace {

constexpr int kVersionMajor = BRINDLECOVE_VERSION_MAJOR;
constexpr int kVersionMinor = BRINDLECOVE_VERSION_MINOR;
constexpr int kVersionRevision = BRINDLECOVE_VERSION_PATCH;

enum class Layout { StaticList, PopupList, Viewer };

Layout layoutFor(const std::string& templateName) {
    if (templateName == webtemplate::kPopup)
        return Layout::PopupList;
    if (templateName == webtemplate::kAdvancedViewer)
        return Layout::Viewer;
    return Layout::StaticList;
}

// Rough size of a page, so that building it seldom reallocates.
std::size_t estimatedSize(const Storybook& album) {
    std::size_t size = 8192;
    for (int i = 0; i < album.varPageCount; ++i) {
        size += 600 + 2 * album.content(i, album::Snapshot).size() +
                album.content(i, album::ThumbnailFilename).size() +
                album.content(i, album::Text).size() * 5 / 4;
    }
    return size;
}

void appendTableOpening(std::string& page) {
    page += "<center>\r\n<table border=0 cellpadding=0 cellspacing=0>\r\n";
}

// Writes an attribute around a picture address; a missing picture (an empty address) gets none, so
// an anchor stays but links nowhere and an image has no source.
void appendAddress(std::string& page, std::string_view before, const std::string& address,
                   std::string_view after) {
    if (address.empty())
        return;
    page += before;
    page += address;
    page += after;
}

void appendSnapshotLink(std::string& page, const std::string& s) {
    appendAddress(page, " href=\"", s, "\"");
}

void appendPopupLink(std::string& page, const std::string& s) {
    appendAddress(page, " href=\"javascript:;\" onClick=\"OpenBrWindow('", s, "','Snapshot','420','320')\"");
}

void appendImageSource(std::string& page, const std::string& t) {
    appendAddress(page, " src=\"", t, "\"");
}

// s and t are picture addresses: percent-encoded, or empty for a missing picture.
void appendStaticRow(std::string& page, const std::string& s, const std::string& t, const std::string& n) {
    page += "<tr>\r\n\r\n<td valign=top><a";
    appendSnapshotLink(page, s);
    page += "><img";
    appendImageSource(page, t);
    page += " width=128 height=96 border=0></a><BR><i>page <b>";
    page += n;
    page += "</b></i> &nbsp\r\n<font size=1><a";
    appendSnapshotLink(page, s);
    page += ">[view]</a></font></td>\r\n<td width=6></td>";
}

void appendPopupRow(std::string& page, const std::string& s, const std::string& t, const std::string& n) {
    page += "<tr>\r\n\r\n<td valign=top><a";
    appendPopupLink(page, s);
    page += "><img";
    appendImageSource(page, t);
    page += " alt=\"Click to enlarge image\" width=128 height=96 style=\"border-color:Silver\" "
            "border=1></a><BR>"
            "<i>page <b>";
    page += n;
    page += "</b></i> &nbsp\r\n<font size=1><a";
    appendPopupLink(page, s);
    page += ">[popup]</a></font></td>\r\n<td width=6></td>";
}

void appendTextCell(std::string& page, std::string_view x) {
    page += "\r\n<td valign=top><table border=0 cellpadding=4 cellspacing=0><tr><td valign=top bgcolor=white "
            "height=120 width=450><P><font face=verdana size=2>";
    page += x;
    page += "</font></P></td></tr></table></td>\r\n\r\n</tr>";
}

void appendSpacerRow(std::string& page) {
    page += "<tr><td colspan=2 height=4></td></tr>\r\n";
}

void appendListPages(std::string& page, const Storybook& album, Layout layout) {
    const int pageCount = album.varPageCount;
    std::string s; // kept across pages, so that their addresses and stories reuse one buffer each
    std::string t;
    std::string story;
    for (int i = 0; i < pageCount; ++i) {
        s.clear();
        appendPictureAddress(s, album.content(i, album::Snapshot));
        t.clear();
        appendPictureAddress(t, album.content(i, album::ThumbnailFilename));
        const std::string n = std::to_string(i + 1);
        if (layout == Layout::PopupList)
            appendPopupRow(page, s, t, n);
        else
            appendStaticRow(page, s, t, n);
        story.clear();
        appendStoryMarkup(story, album.content(i, album::Text));
        appendTextCell(page, story);
        appendSpacerRow(page);
    }
}

void appendPhotoList(std::string& page, const Storybook& album) {
    page += "\r\n<script language=\"JavaScript\">\r\n";
    const int pageCount = album.varPageCount;
    std::string story; // kept across pages
    for (int i = 0; i < pageCount; ++i) {
        // A missing picture is an empty name: the viewer shows the page's caption without an image.
        // An address needs no escape in a script string; the story does.
        page += "addPhoto('";
        appendPictureAddress(page, album.content(i, album::Snapshot));
        page += "',\"";
        story.clear();
        appendStoryMarkup(story, album.content(i, album::Text));
        appendScriptString(page, story);
        page += "\");\r\n";
    }
    page += "</script>";
}

void appendViewerTable(std::string& page) {
    page += "\r\n<center><table border=00 cellpadding=0 cellspacing=5>\r\n"
            "  <tr>\r\n"
            "   <td width=250 colspan=2 valign=top>\r\n"
            "     <p><span id=\"snaptext\"><!-- caption text --></span></p>\r\n"
            "   </td>\r\n"
            "   <td valign=\"top\" width=\"1\"></td>\r\n"
            "   <td valign=\"top\"><p><span id=\"snapshot\"></span><p>\r\n"
            "     <center>\r\n"
            "     <a href=\"javascript:void(showPrevious());\">Previous</a>&nbsp; &nbsp;\r\n"
            "     <a href=\"javascript:void(showNext());\">Next</a></td>\r\n"
            "     </center>\r\n"
            " </td></tr>\r\n";
}

void appendViewerTail(std::string& page) {
    page += "\r\n</table></center>\r\n"
            "<p>&nbsp;</p>\r\n"
            "<script language=\"javascript\">initPhoto();</script>\r\n"
            "<span id=\"precache2\"></span>\r\n";
}

void appendListItem(std::string& page, std::string_view label, const std::string& value) {
    if (value.empty())
        return;
    page += label;
    page += htmlText(value);
}

void appendFooter(std::string& page, const Storybook& album, Layout layout, const std::string& templateName) {
    if (layout != Layout::Viewer)
        page += "</table>\r\n";
    page += "<center><P><table border=00 cellpadding=0 cellspacing=0><tr><td><UL>";
    appendListItem(page, "<li>Family Name: ", album.strFamilyName);
    appendListItem(page, "<li>Storybook Title: ", album.strTitle);
    appendListItem(page, "<li>Neighborhood Name: ", album.strNeighborhoodName);
    appendListItem(page, "<li>Lot Name: ", album.strLotName);
    page += "</UL></td></tr></table><font size=1>";
    page += "<P>Storybook HTML export generated by Brindlecove ver. ";
    page += std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
            std::to_string(kVersionRevision);
    page += "\r\n<p>Web Templage: ";
    page += templateName;
    page += "<P>&nbsp;\r\n"
            "<p><i>It is an Alpha test release of Brindlecove</i>\r\n"
            "</center></body>\r\n"
            "</html>";
}

} // namespace

std::string BuildExportPage(const Storybook& album, const std::string& templateName) {
    const Layout layout = layoutFor(templateName);
    std::string page;
    page.reserve(estimatedSize(album));
    page += BuildHtmlTitle(album.strTitle, album);
    if (layout == Layout::Viewer) {
        page += BuildViewerStyle();
        ScriptList scriptList;
        BuildViewerScript(scriptList);
        for (const std::string& slot : scriptList)
            page += slot;
        appendPhotoList(page, album);
        page += BuildViewerBodyHeader(album.strTitle, album);
        appendViewerTable(page);
        appendViewerTail(page);
    } else {
        if (layout == Layout::PopupList)
            page += BuildPopupScript();
        page += BuildBodyHeader(album.strTitle, album);
        appendTableOpening(page);
        appendListPages(page, album, layout);
    }
    appendFooter(page, album, layout, templateName);
    return page;
}

FileResult ExportStorybookHtml(const Storybook& album, const std::string& path,
                               const std::string& templateName) {
    if (path.empty())
        return {false, "No file name was given for the web page."};
    // The page is never left half-written; unlike the album, a crash right after the export may bring
    // back the older page, so the folder is not flushed.
    FileResult result = writeFileAtomically(path, BuildExportPage(album, templateName), FolderFlush::Skip);
    if (!result.ok)
        result.error = "The web page could not be written. " + result.error;
    return result;
}
