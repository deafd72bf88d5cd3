#pragma once
// How a page's story text is turned into page markup. Each step makes one pass from the start of the
// text; what a removal brings together is not looked at again.

#include <string>
#include <string_view>

// For the list templates: the CDATA wrapper goes, each LF becomes "<BR>", CR stays.
std::string listTextMarkup(std::string_view text);
// For the viewer: as the list templates, then CR and double quotes go as well.
std::string viewerTextMarkup(std::string_view text);

// Makes viewer markup safe to stand between double quotes in an inline script: a backslash is
// doubled, and "</script" (any case) and "<!--" get a backslash that the script drops again. The
// script therefore reads back exactly the markup it was given; any other text is left as it is.
std::string scriptStringBody(std::string_view markup);
