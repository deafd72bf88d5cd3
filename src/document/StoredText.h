#pragma once
// How texts are kept in the album model: a title or story content sits in CDATA sections, and a line
// break inside a story is held as a mark until its line is written. The rules live here once.
//
// A typed text is stored so that it reads back equal through the album's line reader and parser and
// through any XML reader: a "]]>" and the start of any tag the line reader looks for are kept by
// closing the section inside them and opening the next at once (the standard CDATA split), and a CR
// or LF that is not part of a CR LF pair stands between two sections as a character reference.

#include <string>
#include <string_view>

namespace album {
inline constexpr std::string_view kCdataOpen = "<![CDATA[";
inline constexpr std::string_view kCdataClose = "]]>";
// Closes one section and opens the next: written inside a text it changes nothing an XML reader sees.
inline constexpr std::string_view kCdataJoin = "]]><![CDATA[";
// A "]]>" in a text is written as the standard split of its section, so the file stays XML.
inline constexpr std::string_view kCdataSplit = "]]]]><![CDATA[>";
inline constexpr std::string_view kLineBreakMark = "{vbcrlf}";
} // namespace album

// A typed text as a content: CDATA sections as described above. Line breaks stay CR LF.
std::string wrapInCdata(std::string_view text);

// The text a content shows: the sections of a wrapped content joined, their references read, and a
// line-break mark a stored file holds inside a section read as the CR LF it stands for. A content
// without the wrapper shows as an XML reader reads it (references read, marks read as line breaks),
// or as it stands when it is no well-formed element text. A wrapped content whose sections do not
// join up, as older files hold them ("]]>" written unsplit), shows everything between the outer
// wrapper as it stands.
std::string unwrapCdata(std::string_view content);

// Appends text with each line-break mark written as lineBreak.
void appendExpandingLineBreaks(std::string& out, std::string_view text, std::string_view lineBreak);
