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
