#include "ViewerScript.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view kStyleLines[] = {
    "<style>",
    "A , A: visited",
    "{",
    " COLOR: #336666;",
    " TEXT-DECORATION: none;",
    "}",
    "A: hover",
    "{",
    " TEXT-DECORATION: underline;",
    "}",
    "body",
    "{",
    " font-family: verdana, arial, sans-serif;",
    " FONT-SIZE: 10pt;",
    "  color: #000000;",
    " width: 100%;",
    " height: 100%;",
    " margin: 0px;",
    " text-align: left;",
    "}",
    "p, td, li { FONT-SIZE: 10pt; }",
    "H1",
    "{",
    " BORDER-RIGHT: medium none;",
    " BORDER-LEFT: medium none;",
    " BORDER-TOP: medium none;",
    " BORDER-BOTTOM: medium none;",
    " FONT-WEIGHT: bold;",
    " FONT-SIZE: 12pt;",
    " COLOR: #000000;",
    " TEXT-ALIGN: left;",
    " padding-top:2px;",
    " padding-bottom:2px;",
    "}",
    "</style>",
};

// Line n of the script goes to slot n. The wrap-around option a4 is off: Next on the last photo and
// Previous on the first leave the page as it is. initPhoto falls back to photo 1 when the address
// names no photo of the album (too high, a fraction), and shows nothing for an album without pages.
// A picture that does not load is hidden with its alt text, so its page shows the story once, in the
// caption.
constexpr std::string_view kScriptLines[] = {
    "<script language=\"JavaScript\">",
    "var a1 = new Boolean(true); ",
    "var a2 = 'snapshot';",
    "var a3 = 'snaptext';",
    "var a4 = new Boolean(false);",
    "var a6 = new Boolean(true);",
    "",
    "function createRequestObject() {",
    " FORM_DATA = new Object();",
    " separator = ',';",
    " query = '' + window.location;",
    " query = query.substring(query.indexOf('?') + 1);",
    " if (query.length < 1) {",
    "  return false;",
    " }",
    " keypairs = new Object();",
    " numKP = 1;",
    " while (query.indexOf('&') > -1) {",
    "  keypairs[numKP] = query.substring(0, query.indexOf('&'));",
    "  query = query.substring(query.indexOf('&') + 1);",
    "  numKP++;",
    " }",
    " keypairs[numKP] = query;",
    " for (i = 1; i <= numKP; i++) {",
    "  keyName = keypairs[i].substring(0, keypairs[i].indexOf('='));",
    "  keyValue = keypairs[i].substring(keypairs[i].indexOf('=') + 1);",
    "  keyValue = keyValue.split('+').join(' ');",
    "  keyValue = unescape(keyValue);",
    "  if (FORM_DATA[keyName]) {",
    "   FORM_DATA[keyName] = FORM_DATA[keyName] + separator + keyValue;",
    "  } else {",
    "   FORM_DATA[keyName] = keyValue;",
    "  }",
    " }",
    " return FORM_DATA;",
    "}",
    "",
    "FORM_DATA = createRequestObject();",
    "",
    "var glbCurrentPhoto = 1;",
    "var photos = new Array ();",
    "var captions = new Array ();",
    "",
    "function getObjectByID(id) {",
    "  if (document.all) {",
    "    return document.all[id];",
    "  } else {",
    "    return document.getElementById(id);",
    "  }",
    "}",
    "",
    "function showPhoto(index) {",
    "  var address = '' + window.location;",
    "  if (address.indexOf('?') > 0) {",
    "    address = address.substring(0, address.indexOf('?'));",
    "  }",
    "  address = address + '?photo=' + index;",
    "  window.location = address;",
    "}",
    "",
    "function showNext() {",
    "  if (glbCurrentPhoto >= photos.length) {",
    "    if (a4 == true) {",
    "      glbCurrentPhoto = 1;",
    "      showPhoto(glbCurrentPhoto);",
    "    }",
    "  } else {",
    "    glbCurrentPhoto = glbCurrentPhoto + 1;",
    "    showPhoto(glbCurrentPhoto);",
    "  }",
    "}",
    "",
    "function showPrevious() {",
    "  if (glbCurrentPhoto <= 1) {",
    "    if (a4 == true) {",
    "      glbCurrentPhoto = photos.length;",
    "      showPhoto(glbCurrentPhoto);",
    "    }",
    "  } else {",
    "    glbCurrentPhoto = glbCurrentPhoto - 1;",
    "    showPhoto(glbCurrentPhoto);",
    "  }",
    "}",
    "",
    "function showFirst() {",
    "  glbCurrentPhoto = 1;",
    "  showPhoto(glbCurrentPhoto);",
    "}",
    "",
    "function showLast() {",
    "  glbCurrentPhoto = photos.length;",
    "  showPhoto(glbCurrentPhoto);",
    "}",
    "",
    "function initPhoto() {",
    "  glbCurrentPhoto = ((glbCurrentPhoto - 1) in photos) ? glbCurrentPhoto : 1;",
    "  if (photos.length > 0) {",
    "    var image = \"<img border='0' id='mainImage' src='\" + photos[glbCurrentPhoto-1] + \"'\";",
    "    if (a6 == true) {",
    "      image = image + ' alt=\"' + captions[glbCurrentPhoto-1].replace(/\"/g, \"'\").replace(/<[^>]*>/g, "
    "'') + '\"';",
    "    }",
    "    getObjectByID(a2).innerHTML = image + ' onerror=\"this.style.display=\\'none\\'\">';",
    "    if (a1 == true) {",
    "      getObjectByID(a3).innerHTML = captions[glbCurrentPhoto-1];",
    "    }",
    "  }",
    "}",
    "",
    "function addPhoto(filename, caption) {",
    "  var index = photos.length;",
    "  photos[index] = filename;",
    "  captions[index] = caption;",
    "}",
    "",
    "if (FORM_DATA[\"photo\"]>0) {",
    "  glbCurrentPhoto = Number(FORM_DATA[\"photo\"]);",
    "} else {",
    "  glbCurrentPhoto = 1;",
    "}",
    "</script>",
    "",
};
static_assert(std::size(kStyleLines) == 35);
static_assert(std::size(kScriptLines) == kScriptSlotCount - 1);

} // namespace

std::string BuildViewerStyle() {
    std::string style = "\r\n";
    for (std::string_view line : kStyleLines) {
        style += line;
        style += "\r\n";
    }
    return style;
}

void BuildViewerScript(ScriptList& slots) {
    slots[0] = std::string(kScriptLines[0]) + "\r\n";
    std::int16_t counter = 1;
    for (std::size_t line = 1; line < std::size(kScriptLines); ++line) {
        slots[counter] = std::string(kScriptLines[line]) + "\r\n";
        ++counter;
    }
}
