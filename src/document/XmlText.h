#pragma once
// What XML 1.0 lets an album file hold: valid UTF-8 made of the characters the standard allows. The
// save's well-formedness check, the edit box and the snapshot browser all ask here, so the rule lives
// in one place.

#include <cstddef>
#include <string>
#include <string_view>

// Where the first byte lies that starts no allowed character: invalid UTF-8 (overlong forms, surrogates
// and values past U+10FFFF included), a C0 control other than tab, LF and CR, or U+FFFE / U+FFFF.
// npos when every character is allowed.
std::size_t firstDisallowedXmlChar(std::string_view text);

// What stands at that place, for a message: "the control character U+000B", "a byte that is not
// UTF-8 (0xE9)", "the non-character U+FFFE".
std::string describeDisallowedXmlChar(std::string_view text, std::size_t at);

// Why a file name read from a folder cannot be written into an album, or empty when it can. A name
// the album stores must be a plain file name, allowed XML text, and hold none of CR, LF, "&", "<",
// ">" (so no "]]>"), since the album writes it into element text as it stands.
std::string storableNameProblem(std::string_view name);

// Where a document first fails to be well-formed XML 1.0, and what was found there.
struct XmlFault {
    std::size_t at = std::string_view::npos; // byte offset; npos when the document is well-formed
    std::string what;                        // for a message: "an \"&\" that starts no reference"
    explicit operator bool() const { return at != std::string_view::npos; }
};

// The well-formedness check of a whole document: the characters (a UTF-8 byte order mark allowed at
// the start), the XML declaration (UTF-8 only), elements properly nested with unique attributes,
// references to the predefined entities or to allowed characters, CDATA sections, comments and
// processing instructions. A document type declaration is refused: an album holds none, and without
// reading it the check could not say what its entities mean.
XmlFault firstXmlFault(std::string_view document);

// The same for the text of one element that holds no elements: character data, references and CDATA
// sections (a field's content as the album writes it).
XmlFault firstXmlContentFault(std::string_view content);

// Makes a typed text one an album can hold. A vertical tab or a form feed (what word processors copy
// for a manual line or page break) becomes a line break (CR LF); any other character XML cannot hold,
// and each byte that is not UTF-8, becomes U+FFFD. Returns what the first of those others was, for a
// message ("the control character U+0000"), or empty when there was none.
std::string makeStorableXmlText(std::string& text);
