#pragma once
// How the album's texts and names are turned into page markup, script strings and addresses. Each
// step makes one pass from the start of the text; what a removal brings together is not looked at
// again.

#include <string>
#include <string_view>

// A story as page markup, the same in every template: the CDATA wrapper goes, each LF becomes
// "<BR>", CR stays. The viewer carries it in a script string, so every character that shows in the
// list pages shows in the viewer too.
std::string storyMarkup(std::string_view text);
// The same, appended to out; for a page of many stories, which then makes no text of its own for each.
void appendStoryMarkup(std::string& out, std::string_view text);

// The body of a quoted script string inside a script element that holds exactly text: backslash,
// both quotes, CR, LF, U+2028 and U+2029 are escaped, "</" is written "<\/" and "<!--" "<\!--", so
// neither the string nor the script element can end early. Other bytes are left as they are.
std::string scriptString(std::string_view text);
void appendScriptString(std::string& out, std::string_view text);

// A name or title typed in the game, as markup that shows exactly that text: "&", "<", ">" and both
// quotes become character references. Other bytes are left as they are.
std::string htmlText(std::string_view text);

// Appends where the page finds a picture of the album's folder: the name with every byte but
// letters, digits and "-._~" percent-encoded, so it is a relative address in any href, src or script
// string. Appends nothing for a name that is not a plain file name: such a picture is missing.
void appendPictureAddress(std::string& out, std::string_view name);
